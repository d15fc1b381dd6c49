// The fixed catalogue of the twenty tests. A test's index (0..19) is its
// identity everywhere: its thread message, the control it drives, its row in
// the result list, its key in the data file and its description string.
#pragma once

#include <string>

namespace bench {

constexpr int kTestCount = 20;

struct TestInfo {
    const char* name;        // list row, test-window title and data-file key
    int controlId;           // the test window's control the test receives
    unsigned descriptionId;  // string resource of the description box
    float referenceA;        // reference time (s) when the platform id is 1
    float referenceB;        // reference time (s) for every other platform id
};

extern const TestInfo kCatalogue[kTestCount];

}  // namespace bench

// Assigns the name of test `index` to text; an index outside 0..19 leaves it.
void GetTestName(int index, std::string& text);
