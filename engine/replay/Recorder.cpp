#include "engine/replay/Recorder.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "engine/input/Input.h"
#include "engine/replay/ReplayFormat.h"
#include "engine/window/WindowClass.h"
#include "engine/core/TextParse.h"

namespace ReEng {

namespace fs = std::filesystem;

namespace {

// Whether a name is in use, by anything: a file, a folder, a link that
// points nowhere. When it cannot be told, it is.
bool Taken(const std::string& name) {
    // Never throws: a name that is not there reads not_found with ec set,
    // one that cannot be looked at reads none, and so counts as taken.
    std::error_code ec;
    return fs::symlink_status(name, ec).type() != fs::file_type::not_found;
}

}  // namespace

Recorder::~Recorder() {
    if (m_file != nullptr) std::fclose(m_file);
}

void Recorder::SetProgram(const std::string& name, const std::string& version) {
    m_program = name;
    m_version = version;
}

bool Recorder::Open(const std::string& file, double step, std::string& error) {
    // A symbolic link is a name taken too, even one that points nowhere.
    if (Taken(file)) {
        error = "will not record over " + Printable(file) + ": it exists";
        return false;
    }
    m_name = file;
    m_part = file + ".part";
    // "x": created here and now, never an old file of that name reused.
    errno = 0;
    m_file = std::fopen(m_part.c_str(), "wx");
    if (m_file == nullptr) {
        const int reason = errno;
        error = "cannot create the recording " + Printable(m_part) +
                (reason == EEXIST || Taken(m_part) ? ": it exists (left by a run that did not end?)"
                                                   : ": " + std::string(std::strerror(reason != 0 ? reason : EIO)));
        return false;
    }
    m_focused = true;
    m_focusWritten = true;
    std::fill(std::begin(m_keys), std::end(m_keys), static_cast<signed char>(-1));
    std::fill(std::begin(m_buttons), std::end(m_buttons), static_cast<signed char>(-1));
    Line(replay::HeaderLine(m_program, m_version, step));
    Line(replay::PlayAgainLine(m_program, file));
    std::fflush(m_file);
    return true;
}

void Recorder::Line(const std::string& text) {
    if (m_file == nullptr) return;
    if (std::fputs(text.c_str(), m_file) == EOF) m_failed = true;
    m_wrote = true;
}

void Recorder::Write(unsigned long long step, const ReplayEvent& event) {
    Line(replay::EventLine(step, event, m_names));
}

void Recorder::RecordStep(unsigned long long step, const Input& input, const WindowClass& window) {
    if (m_file == nullptr) return;
    // Only the focus the step ran with: a change and its undo between two
    // steps made no difference, however many times it happened.
    if (m_focused != m_focusWritten) {
        Write(step, {0, ReplayEvent::Focus, 0, m_focused, 0, 0, 0, 0});
        m_focusWritten = m_focused;
    }
    const PlayArea& area = window.GetScreenArea();
    const int rect[4] = {area.x, area.y, area.width, area.height};
    if (!m_rectKnown || !std::equal(rect, rect + 4, m_rect)) {
        Write(step, {0, ReplayEvent::Window, 0, false, rect[0], rect[1], rect[2], rect[3]});
        std::copy(rect, rect + 4, m_rect);
        m_rectKnown = true;
    }
    if (input.MouseReadThisStep()) {
        const sf::Vector2i mouse = input.GetMousePosition();
        if (!m_mouseKnown || mouse != m_mouse) Write(step, {0, ReplayEvent::Mouse, 0, false, mouse.x, mouse.y, 0, 0});
        m_mouse = mouse;
        m_mouseKnown = true;
    }
    // Only what the step read: the rest made no difference to it.
    for (const InputName& name : m_names) {
        const bool key = name.kind == InputKind::Key;
        const int now = key ? input.ReadThisStep(static_cast<sf::Keyboard::Key>(name.code))
                            : input.ReadThisStep(static_cast<sf::Mouse::Button>(name.code));
        // Not read this step (or not a key at all).
        if (now < 0) continue;
        signed char& last = key ? m_keys[name.code] : m_buttons[name.code];
        if (now == last) continue;
        Write(step, {0, key ? ReplayEvent::Key : ReplayEvent::Button, name.code, now != 0, 0, 0, 0, 0});
        last = static_cast<signed char>(now);
    }
    if (m_wrote && std::fflush(m_file) != 0) m_failed = true;
    m_wrote = false;
}

void Recorder::RecordFocus(bool focused) { m_focused = focused; }

bool Recorder::Finish(unsigned long long steps, std::string& error) {
    if (m_file == nullptr) return true;
    Write(steps, {0, ReplayEvent::End, 0, false, 0, 0, 0, 0});
    const bool written = std::fclose(m_file) == 0 && !m_failed;
    m_file = nullptr;
    if (!written) {
        error = "could not write the recording " + Printable(m_part) + " in full";
        return false;
    }
    // A hard link cannot replace a file that appeared meanwhile; where the
    // file system has none, a rename after one more look.
    std::error_code ec;
    fs::create_hard_link(m_part, m_name, ec);
    if (!ec) {
        fs::remove(m_part, ec);
        return true;
    }
    if (Taken(m_name)) {
        error = "will not record over " + Printable(m_name) + ": it appeared during the game; the recording is " +
                Printable(m_part);
        return false;
    }
    fs::rename(m_part, m_name, ec);
    if (ec) {
        error = "cannot name the recording " + Printable(m_name) + ": " + ec.message();
        return false;
    }
    return true;
}

}  // namespace ReEng
