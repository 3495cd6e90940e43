// Collects the messages a plug-in shows while it runs, one "CAPTION: TEXT"
// line each, so that a run can be compared across platforms. On Windows the
// message boxes are read and answered with OK as they open; elsewhere the
// plug-in writes the same lines to standard error, which is diverted.
#pragma once

#include <string>
#include <vector>

class MessageCapture {
public:
    MessageCapture();
    ~MessageCapture();
    MessageCapture(const MessageCapture&) = delete;
    MessageCapture& operator=(const MessageCapture&) = delete;

    // The messages shown since construction; ends the capture.
    std::vector<std::string> Finish();

private:
    struct State;
    State* state_;
};
