#include "engine/Input.h"

#include <cstring>

#include "engine/EngineKeys.h"

namespace Engine {

namespace {

// A frame whose events nobody reads must not grow the queue without end.
constexpr size_t kMaxQueuedEvents = 1024;

// Decodes one UTF-8 sequence at text[i], advancing i; answers U+FFFD for a malformed one.
uint32_t DecodeUtf8(const unsigned char* text, size_t length, size_t& i) {
    const unsigned char lead = text[i++];
    if (lead < 0x80) return lead;
    int extra = 0;
    uint32_t code = 0;
    uint32_t least = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1, code = lead & 0x1F, least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2, code = lead & 0x0F, least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3, code = lead & 0x07, least = 0x10000;
    } else {
        return 0xFFFD;
    }
    for (int k = 0; k < extra; ++k) {
        if (i >= length || (text[i] & 0xC0) != 0x80) return 0xFFFD;
        code = (code << 6) | (text[i++] & 0x3F);
    }
    if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0xFFFD;
    return code;
}

}  // namespace

void CInput::HandleEvent(const SDL_Event& event) {
    switch (event.type) {
        case SDL_KEYDOWN: {
            const int key = KeyFromSdl(event.key.keysym.sym);
            if (key) Press(key, event.key.repeat != 0, m_mouseX, m_mouseY);
            break;
        }
        case SDL_KEYUP: {
            const int key = KeyFromSdl(event.key.keysym.sym);
            if (key) Release(key, m_mouseX, m_mouseY);
            break;
        }
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            m_mouseX = static_cast<float>(event.button.x);
            m_mouseY = static_cast<float>(event.button.y);
            const int key = KeyFromSdlButton(event.button.button);
            if (!key) break;
            if (event.type == SDL_MOUSEBUTTONDOWN) {
                Press(key, false, m_mouseX, m_mouseY);
            } else {
                Release(key, m_mouseX, m_mouseY);
            }
            break;
        }
        case SDL_MOUSEMOTION:
            m_mouseX = static_cast<float>(event.motion.x);
            m_mouseY = static_cast<float>(event.motion.y);
            Push(INPUT_MOUSEMOVE, 0, Flags());
            break;
        case SDL_MOUSEWHEEL: {
            int wheel = event.wheel.y;
            if (event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) wheel = -wheel;
            if (wheel) Push(INPUT_MOUSEWHEEL, 0, Flags(), 0, wheel);
            break;
        }
        case SDL_TEXTINPUT:
            AddText(event.text.text);
            break;
        default:
            break;
    }
}

void CInput::Press(int key, bool repeat, float x, float y) {
    if (m_carrying[key]) {
        m_carried.push_back({true, key, x, y});
        return;
    }
    const bool mouse = key == HGEK_LBUTTON || key == HGEK_RBUTTON || key == HGEK_MBUTTON;
    m_down[key] = true;
    m_pressed[key] = true;
    m_key = key;
    PushAt(mouse ? INPUT_MBUTTONDOWN : INPUT_KEYDOWN, key, Flags() | (repeat ? HGEINP_REPEAT : 0), x, y);
}

void CInput::Release(int key, float x, float y) {
    if (m_carrying[key] || m_pressed[key]) {
        m_carrying[key] = true;
        m_carried.push_back({false, key, x, y});
        return;
    }
    const bool mouse = key == HGEK_LBUTTON || key == HGEK_RBUTTON || key == HGEK_MBUTTON;
    m_down[key] = false;
    PushAt(mouse ? INPUT_MBUTTONUP : INPUT_KEYUP, key, Flags(), x, y);
}

void CInput::AddText(const char* utf8) {
    const auto* text = reinterpret_cast<const unsigned char*>(utf8);
    const size_t length = strnlen(utf8, sizeof(SDL_TextInputEvent::text));
    size_t i = 0;
    while (i < length) {
        const uint32_t code = DecodeUtf8(text, length, i);
        if (code < 0x10000) {
            Push(INPUT_CHAR, 0, Flags(), static_cast<int>(code));
        } else {
            const uint32_t rest = code - 0x10000;
            Push(INPUT_CHAR, 0, Flags(), static_cast<int>(0xD800 + (rest >> 10)));
            Push(INPUT_CHAR, 0, Flags(), static_cast<int>(0xDC00 + (rest & 0x3FF)));
        }
    }
}

int CInput::Flags() const {
    return (m_down[HGEK_SHIFT] ? HGEINP_SHIFT : 0) | (m_down[HGEK_CTRL] ? HGEINP_CTRL : 0) |
           (m_down[HGEK_ALT] ? HGEINP_ALT : 0);
}

void CInput::Push(int type, int key, int flags, int chr, int wheel) {
    if (m_queue.size() >= kMaxQueuedEvents) m_queue.pop_front();
    hgeInputEvent event{};
    event.type = type;
    event.key = key;
    event.flags = flags;
    event.chr = chr;
    event.wheel = wheel;
    event.x = m_mouseX;
    event.y = m_mouseY;
    m_queue.push_back(event);
}

void CInput::PushAt(int type, int key, int flags, float x, float y) {
    Push(type, key, flags);
    m_queue.back().x = x;
    m_queue.back().y = y;
}

bool CInput::GetEvent(hgeInputEvent* event) {
    if (m_queue.empty()) return false;
    if (event) *event = m_queue.front();
    m_queue.pop_front();
    return true;
}

void CInput::EndFrame() {
    m_queue.clear();
    std::memset(m_pressed, 0, sizeof m_pressed);
    m_key = 0;
    // What was held over goes first into the next frame, each key by the same rule again.
    std::vector<tagCarried> carried;
    carried.swap(m_carried);
    std::memset(m_carrying, 0, sizeof m_carrying);
    for (const tagCarried& event : carried) {
        if (event.press)
            Press(event.key, false, event.x, event.y);
        else
            Release(event.key, event.x, event.y);
    }
}

void CInput::SetMouse(float x, float y) {
    m_mouseX = x;
    m_mouseY = y;
}

}  // namespace Engine
