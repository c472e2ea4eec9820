#pragma once

#include <string>
#include <string_view>

struct AppState;
class ExamPage;
class QuestionTable;

// The submit button's two captions: judging the ticked options, and moving on after a right answer.
namespace SubmitCaption {
inline constexpr std::string_view submit = "提交";
inline constexpr std::string_view next = "下一题";
} // namespace SubmitCaption

// One press of the submit button, chosen by its caption. "提交" judges the ticked options against
// the current answer, shows the answer, updates the score and records a wrong answer in the
// wrong-answer list; after a right answer the caption turns into "下一题". "下一题" queues the next
// draw and returns to "提交", or asks for a new import when the draw pool is empty.
//
// Must not be called with the state's mutex held: the page and the table block on the window.
void submitOrNext(ExamPage& page, AppState& state, QuestionTable& wrongAnswers);

// The captions of the ticked option boxes in box order, joined by "|"; empty when none is ticked.
std::string chosenAnswer(ExamPage& page);

// The answer as shown after the sign: whole below 80 bytes, otherwise each piece cut to at most
// 12 bytes at a character boundary and followed by "...|".
std::string answerDisplay(std::string_view answer);

// The score label: the number of judged answers, right and wrong, and the share of right ones in
// percent, rounded half up to 2 decimals (66.67, 0.63, 100, 12.5).
std::string scoreText(int rightCount, int wrongCount);

void clearAnswerLabel(ExamPage& page);
void untickOptions(ExamPage& page);
