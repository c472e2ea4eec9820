#pragma once

#include <mutex>
#include <string>
#include <vector>

// The program-wide state of one run. It is read and written by the action routines on the
// worker thread and by the window's handlers; whoever touches a field holds m_mutex.
struct AppState
{
    std::mutex mutex;

    // The question on screen, set by the last draw (guarded by mutex).
    std::string currentNumber;
    std::string currentQuestion;
    std::string currentOptions;
    std::string currentAnswer;

    // Number texts still to be drawn in the no-repeat order (guarded by mutex).
    std::vector<std::string> drawPool;
    int poolSizeAtDraw = 0;

    // 1: a category was clicked since the last import request (or none was made yet);
    // 2: the import button was pressed since. Saving refuses to run while it is 1.
    int categoryState = 0;

    // The score since start-up (guarded by mutex).
    int rightCount = 0;
    int wrongCount = 0;
};

// Drops every text the state holds, at the end of the run.
void releaseAppState(AppState& state);
