#pragma once
// The query tool's three word tables (keywords, word operators, functions), built once at start-up
// and shared read-only by every SQL editor's tokenizer.

#include <cstddef>
#include <vector>

// Compares two words as NUL-terminated strings without regard to case (both folded to lower case,
// then compared byte by byte). Serves the sort and every lookup.
int CompareKeywords(const char* a, const char* b);

struct SqlKeywordTables {
    std::vector<const char*> keywords;  // 236 entries, duplicates kept
    std::vector<const char*> operators; // 6 entries
    std::vector<const char*> functions; // 127 entries
};

// Fills the three tables with their words and sorts each with CompareKeywords.
void LoadKeywordTables(SqlKeywordTables& tables);

// True when the word (length bytes, not NUL-terminated) stands in the sorted table.
bool FindKeyword(const std::vector<const char*>& table, const char* word, std::size_t length);
