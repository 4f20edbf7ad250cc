#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
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

  // The lines that start with any of the prefixes, in order.
  std::vector<std::string> Calls(std::initializer_list<std::string_view> prefixes) const {
    std::vector<std::string> matching;
    for (const std::string& line : log) {
      for (std::string_view prefix : prefixes) {
        if (std::string_view(line).substr(0, prefix.size()) == prefix) {
          matching.push_back(line);
          break;
        }
      }
    }
    return matching;
  }

 private:
  std::vector<std::string> ownLog_;
};

}  // namespace lumivane
