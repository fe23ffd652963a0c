#pragma once
#include <string>
#include <vector>

#include "platform/MessageBox.h"

// Takes the place of the message box while it lives: records "caption: text" of every box and
// answers each with `answer` (true = OK).
class CMessageBoxRecorder {
public:
    CMessageBoxRecorder() : m_previous(Platform::SetMessageBoxHandler(Record)) {
        messages.clear();
        answer = true;
    }
    ~CMessageBoxRecorder() { Platform::SetMessageBoxHandler(m_previous); }
    CMessageBoxRecorder(const CMessageBoxRecorder&) = delete;
    CMessageBoxRecorder& operator=(const CMessageBoxRecorder&) = delete;

    static inline std::vector<std::string> messages;
    static inline bool answer = true;

private:
    static bool Record(const std::string& caption, const std::string& text, Platform::EMessageStyle) {
        messages.push_back(caption + ": " + text);
        return answer;
    }

    Platform::MessageBoxHandler m_previous;
};
