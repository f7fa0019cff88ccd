#pragma once
#include "TempDir.h"

#include <string>

// A practice the size of a busy office: 20,300 patients, 40 doctors, 25 facilities, 60
// insurances, 30 E&M codes and 200,000 charges over two years, the oldest 173,156 archived,
// then posted ones and the last few thousand ready. Written into a temporary database made
// from the shipped schema and connected as the program connects (DbConnection).
class BigPractice {
public:
    static constexpr int kPatients = 20300;
    static constexpr int kCharges = 200000;
    static constexpr int kArchived = 173156;
    static constexpr int kReady = 4000;

    BigPractice();
    ~BigPractice();

    const std::string& path() const { return path_; }

private:
    testsupport::TempDir folder_;
    std::string path_;
};
