// The driver's command line:
//
//   velkora-driver run <path-to-velkora.exe> [--loop N] [--rounds R]
//       [--runs K] [--warmup K] [--condition TEXT]... [--json FILE] [--csv FILE]
//       [--screenshot FILE.bmp] [--timeout SECONDS] [--run-timeout SECONDS]
//
// Portable; the arguments arrive as UTF-8.
#pragma once

#include <string>
#include <vector>

namespace e2e {

struct DriverArgs {
    std::string exePath;
    bool hasLoop = false;
    long loop = 0;  // written as "VelkoraLoop" before the start; the program clamps it
    bool hasRounds = false;
    int rounds = 1;   // 1..9, written as "VelkoraRounds" before the start
    int runs = 1;     // START ALL presses; 0 only starts, reads the list and closes
    int warmups = 0;  // START ALL presses before those, whose results are dropped
    // Conditions set up outside the driver (processor pinning by tools/run),
    // reported with the results.
    std::vector<std::string> conditions;
    std::string jsonPath, csvPath, screenshotPath;
    double timeoutSeconds = 60;       // for each window to appear
    double runTimeoutSeconds = 3600;  // for one run's test window to close
};

// args excludes the program name. False with a one-line reason in error.
bool ParseDriverArgs(const std::vector<std::string>& args, DriverArgs& out, std::string& error);

std::string DriverUsage();

}  // namespace e2e
