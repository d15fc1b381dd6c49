// The three parts of record n in the data file and on the clipboard: the
// system section "SystemInfo-DATA%03d", the processor section
// "InfoCPU-DATA%03d" and the timing section "Velkora-DATA%03d". The caller
// loads the file once and saves it once per user operation; these only read
// and change the store in memory.
//
// System: the memo's line breaks are stored as ":;".
//
// Timing: one key per test, named as bench::GetTestName gives it, with the
// time in seconds written "%f" and read with atof (a missing key reads
// "0.0"). After those twenty keys, a test timed in several rounds has three
// more: "<name> Rounds" ("%d"), "<name> Fastest" and "<name> Slowest" (the
// fastest and slowest round, "%f" like the time, which is their median). A
// single round writes none of them, so such a record reads and writes as it
// always has, unless the section holds them from an earlier run, which are
// then set to one round. A record without them, or with a count below 2, has
// one round and no range. Last, "<name> Round Times" lists every round's
// time in the order they ran ("%f" each, separated by blanks), so a slower
// later round stays visible; a record without it has no round times, and
// one of a single round keeps none. Its text block is "[Velkora-DATA001]" and one
// "\t<name> = %f" line per test, each ending CR LF.
#pragma once

#include <string>

class CCpuInfo;
class CMarkResult;
class CSysInfo;

namespace records {

class IniFile;

void LoadSection(const IniFile& file, int n, CSysInfo& system);
void SaveSection(IniFile& file, int n, const CSysInfo& system);
void AppendSectionText(std::string& text, const CSysInfo& system);

void LoadSection(const IniFile& file, int n, CCpuInfo& processor);
void SaveSection(IniFile& file, int n, const CCpuInfo& processor);
void AppendSectionText(std::string& text, const CCpuInfo& processor);

void LoadSection(const IniFile& file, int n, CMarkResult& timing);
void SaveSection(IniFile& file, int n, const CMarkResult& timing);
void AppendSectionText(std::string& text, const CMarkResult& timing);

}  // namespace records
