// A run's progress as the driver sees it from outside, printed one line per
// finished test so that a log of an unattended run stays readable.
//
// The driver learns that a test has finished from the test window's title:
// the program names each test in the title as it starts it ("Velkora -
// Tab Control Testing..."), in list order, after it has shown the previous
// test's time in the time box. So a title naming test k means tests 0..k-1
// have finished, and the window's closing means the last one has. A run of
// several rounds goes through the list once per round, and its titles name
// the round after the test ("Velkora - Tab Control  2/5 Testing..."): there
// a test's place in the run is its round's start plus its list position.
// Portable.
#pragma once

#include <string>
#include <vector>

namespace e2e {

// The round a test-window title names, 1 of 1 when it names none.
struct TitleRound {
    int round = 1;
    int rounds = 1;
};

// The list position of the test a test-window title names, and its round in
// *round when given; -1 for any other title (the caption before the first
// test, the stopped title).
int TestIndexOfTitle(const std::string& title, TitleRound* round = nullptr);

// The seconds at the start of the time box's text ("12.345 s"); -1 when it
// does not hold a time.
double TimeBoxSeconds(const std::string& text);

struct FinishedTest {
    int index = 0;   // list position, from 0
    int count = 0;   // tests in the list
    int round = 1;   // from 1
    int rounds = 1;  // rounds in the run
    std::string name;
    double seconds = -1;    // the time the program measured; < 0 when not read
    double took = -1;       // seconds from its title to the next; < 0 when not seen
    double elapsed = 0;     // seconds since START ALL was pressed
    double remaining = -1;  // estimate of the rest of the run; < 0 when none

    // The test's place among all the tests the run times, from 0, and their
    // number.
    int Place() const { return (round - 1) * count + index; }
    int Places() const { return rounds * count; }
};

// "  3/20  Button Text                  4.012 s   elapsed 0:41   about 2:05 left"
// with the program's time, or "~4.3 s" as the driver timed it from title to
// title when the program's time could not be read, or "? s". With several
// rounds the round follows the name as in the title ("Button Text  2/5").
std::string FormatProgressLine(const FinishedTest& test);

// Minutes and seconds ("2:05"), or hours too ("1:02:05").
std::string ClockText(double seconds);

// Estimates what remains of a run from how long each test took in an
// earlier one (seconds per place in the run: the list order, once per
// round).
class RemainingEstimate {
  public:
    // No estimate until a complete earlier run is known.
    void SetPrevious(const std::vector<double>& durations);
    bool Known() const { return !previous_.empty(); }
    // Seconds the places after `finished` took last time; -1 when unknown.
    double After(int finished) const;

  private:
    std::vector<double> previous_;
};

}  // namespace e2e
