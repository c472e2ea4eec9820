#include "AppState.h"

void releaseAppState(AppState& state)
{
    std::lock_guard lock(state.mutex);
    state.currentAnswer = {};
    state.currentNumber = {};
    state.currentQuestion = {};
    state.currentOptions = {};
    state.drawPool = {};
}
