#pragma once

#include "Category.h"

#include <QString>

struct AppState;
class ExamPage;
class QuestionTable;
class StatusReporter;

// Empties the bank list and fills it with the category's bank file or, for the wrong-answer
// category, with the wrong-answer list; then refills the draw pool, clears the answer area
// and starts the first draw. A file that cannot be opened ends the import with only the
// message. Runs on the bank worker; the tables, page and status may block on the window's
// thread, so the state's mutex is never held while they are called.
void importCategoryBank(const Category& category, const QString& programDir, AppState& state, QuestionTable& bank,
    const QuestionTable& wrongAnswers, ExamPage& page, StatusReporter& status);

// Appends every wrong-answer row to the bank list, numbers unchanged, in one batch.
void copyWrongAnswersToBank(const QuestionTable& wrongAnswers, QuestionTable& bank);

// The draw pool becomes "1" to "N", N being the bank list's row count now.
void fillDrawPool(AppState& state, const QuestionTable& bank);
