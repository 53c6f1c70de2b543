#pragma once
// How two rows of the AI list compare in a column, from their cell texts.
#include <cstdint>

// Negative when the first row goes before the second. Columns 0 and 1 compare case-folded text,
// column 2 distances to a tenth, columns 3..7 whole numbers; 0 for any other column.
int32_t CompareAiCells(const char* first, const char* second, int column);

// The number a cell of columns 2..7 sorts by: tenths of a mile for the distance, the whole
// number for the others. Rows keep it beside their texts so a sort parses nothing.
double AiSortNumber(const char* text, int column);
// Compares two cells of columns 2..7 by their sort numbers, as CompareAiCells does by texts.
int32_t CompareAiSortNumbers(double first, double second, int column);

// Equal within the first 260 characters; texts that fill all 260 without ending differ.
bool SameCellText(const char* a, const char* b);
