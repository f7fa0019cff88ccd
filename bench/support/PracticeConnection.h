#pragma once
#include <string>

// Creates an empty practice database from the shipped schema at `path` and connects to it as
// the program connects (DbConnection). Throws std::runtime_error with the reason: a benchmark
// without its database has nothing to measure.
void ConnectNewPractice(const std::string& path);
