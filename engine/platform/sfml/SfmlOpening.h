#pragma once
// Holds what SFML writes to sf::err() while a window opens. Usually harmless
// (no vertical sync under Xvfb), so it stays off the output; it is shown
// when the window cannot open, and written out from a SIGABRT handler when
// SFML aborts, which it does when its display connection fails.
#include <csignal>
#include <streambuf>
#include <string>

namespace ReEng {

// A fixed buffer, so the abort handler reads it without allocating.
class HeldText : public std::streambuf {
public:
    HeldText() { setp(m_text, m_text + sizeof(m_text)); }
    std::string Text() const { return std::string(pbase(), pptr()); }
    void WriteTo(int fd) const;

protected:
    int overflow(int c) override { return c == EOF ? 0 : c; }  // full: the rest is dropped

private:
    char m_text[4096];
};

class SfmlOpening {
public:
    // `program` names the line written if SFML aborts.
    explicit SfmlOpening(const std::string& program);
    ~SfmlOpening();
    SfmlOpening(const SfmlOpening&) = delete;
    SfmlOpening& operator=(const SfmlOpening&) = delete;
    std::string Text() const { return m_held.Text(); }

private:
    HeldText m_held;
    std::streambuf* m_previousBuffer;
#ifndef _WIN32
    struct sigaction m_previousAbort {};
#endif
};

}  // namespace ReEng
