#pragma once

#include "Category.h"

#include <QString>

class QuestionTable;
class StatusReporter;

// Writes the bank list to the category's bank file, safely: a failed write leaves the old file
// and says so. The wrong-answer category has no file and is refused after the text was built.
void saveCategoryBank(
    const Category& category, const QString& programDir, const QuestionTable& bank, StatusReporter& status);
