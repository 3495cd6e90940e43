// Standard error goes to a temporary file while the plug-in runs; its lines
// are the messages.
#include <unistd.h>

#include <cstdio>

#include "tools/selector_run/message_capture.h"

struct MessageCapture::State {
    std::FILE* file = nullptr;
    int savedStderr = -1;
};

MessageCapture::MessageCapture() : state_(new State) {
    std::fflush(stderr);
    state_->file = std::tmpfile();
    if (state_->file == nullptr) return;
    state_->savedStderr = dup(STDERR_FILENO);
    dup2(fileno(state_->file), STDERR_FILENO);
}

MessageCapture::~MessageCapture() {
    Finish();
    delete state_;
}

std::vector<std::string> MessageCapture::Finish() {
    std::vector<std::string> lines;
    if (state_->file == nullptr) return lines;
    std::fflush(stderr);
    dup2(state_->savedStderr, STDERR_FILENO);
    close(state_->savedStderr);

    std::rewind(state_->file);
    std::string line;
    for (int c = std::fgetc(state_->file); c != EOF; c = std::fgetc(state_->file)) {
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
        } else {
            line.push_back(static_cast<char>(c));
        }
    }
    if (!line.empty()) lines.push_back(line);
    std::fclose(state_->file);
    state_->file = nullptr;
    return lines;
}
