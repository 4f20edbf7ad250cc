#pragma once

#include <string>
#include <vector>

namespace lumivane {

// The fakes' record of calls: one readable line per call, kept in a list of
// the fake's own or in one shared with other fakes, so that a test can
// assert how calls to several ports interleave.
class CallLog {
 public:
  CallLog() : log(ownLog_) {}
  explicit CallLog(std::vector<std::string>& sharedLog) : log(sharedLog) {}
  CallLog(const CallLog&) = delete;
  CallLog& operator=(const CallLog&) = delete;

  std::vector<std::string>& log;

  // The lines that start with the prefix, in order.
  std::vector<std::string> Calls(const std::string& prefix) const {
    std::vector<std::string> matching;
    for (const std::string& line : log) {
      if (line.rfind(prefix, 0) == 0) matching.push_back(line);
    }
    return matching;
  }

 private:
  std::vector<std::string> ownLog_;
};

}  // namespace lumivane
