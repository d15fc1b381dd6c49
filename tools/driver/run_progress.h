// A run's progress as the driver sees it from outside, printed one line per
// finished test so that a log of an unattended run stays readable.
//
// The driver learns that a test has finished from the test window's title:
// the program names each test in the title as it starts it ("Velkora -
// Tab Control Testing..."), in list order, after it has shown the previous
// test's time in the time box. So a title naming test k means tests 0..k-1
// have finished, and the window's closing means the last one has. Portable.
#pragma once

#include <string>
#include <vector>

namespace e2e {

// The list position of the test a test-window title names; -1 for any other
// title (the caption before the first test, the stopped title).
int TestIndexOfTitle(const std::string& title);

// The seconds at the start of the time box's text ("12.345 s"); -1 when it
// does not hold a time.
double TimeBoxSeconds(const std::string& text);

struct FinishedTest {
    int index = 0;  // list position, from 0
    int count = 0;  // tests in a run
    std::string name;
    double seconds = -1;    // the time the program measured; < 0 when not read
    double took = -1;       // seconds from its title to the next; < 0 when not seen
    double elapsed = 0;     // seconds since START ALL was pressed
    double remaining = -1;  // estimate of the rest of the run; < 0 when none
};

// "  3/20  Button Text                  4.012 s   elapsed 0:41   about 2:05 left"
// with the program's time, or "~4.3 s" as the driver timed it from title to
// title when the program's time could not be read, or "? s".
std::string FormatProgressLine(const FinishedTest& test);

// Minutes and seconds ("2:05"), or hours too ("1:02:05").
std::string ClockText(double seconds);

// Estimates what remains of a run from how long each test took in an
// earlier one (seconds per test, in list order).
class RemainingEstimate {
  public:
    // No estimate until a complete earlier run is known.
    void SetPrevious(const std::vector<double>& durations);
    bool Known() const { return !previous_.empty(); }
    // Seconds the tests after `finished` took last time; -1 when unknown.
    double After(int finished) const;

  private:
    std::vector<double> previous_;
};

}  // namespace e2e
