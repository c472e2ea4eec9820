#pragma once

#include <string_view>

struct AppState;
class ExamPage;
class QuestionTable;
class RandomSource;

// The items of the draw-order drop-down; the draw tells the orders apart by these texts.
namespace DrawOrder {
inline constexpr std::string_view noRepeat = "随机出题不重复"; // random, each pool number once
inline constexpr std::string_view random = "随机出题"; // random, any row each time
inline constexpr std::string_view sequential = "顺序出题"; // the number box plus one, wrapping
} // namespace DrawOrder

// Picks the next question from the bank list in the order selected on the page and shows it:
// the number in the number box, the question, one option per option box, and the progress text.
// The drawn row's four texts become the current question of the state, which judging reads.
// Rows are addressed by position (number - 1); a number without a row shows an empty question.
//
// A no-repeat draw takes its number out of the state's draw pool. With an empty pool nothing is
// drawn: the number box and the question are emptied, no option is shown, the current texts
// become empty and the stock reads 0.
//
// Must not be called with the state's mutex held: the page and the table block on the window.
void drawNextQuestion(ExamPage& page, const QuestionTable& bank, AppState& state, RandomSource& random);
