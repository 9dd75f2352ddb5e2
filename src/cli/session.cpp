#include "cli/session.h"

#include "cli/cli.h"
#include "engine/errors.h"

namespace tessaly::cli {

void Session::message(const std::string& text)
{
    const std::lock_guard lock(m_mutex);
    // One line each; the empty lines that space a message box out are left out.
    std::size_t from = 0;
    for (;;) {
        const std::size_t end = text.find('\n', from);
        const std::string line = text.substr(from, end - from);
        if (!line.empty() || text.empty()) {
            if (m_held)
                m_waiting.push_back(line);
            else
                m_err << "message: " << line << "\n";
            m_messages.push_back(line);
        }
        if (end == std::string::npos)
            break;
        from = end + 1;
    }
}

void Session::hold()
{
    const std::lock_guard lock(m_mutex);
    m_held = true;
}

void Session::release()
{
    const std::lock_guard lock(m_mutex);
    m_held = false;
    for (const std::string& line : m_waiting)
        m_err << "message: " << line << "\n";
    m_waiting.clear();
}

void Session::warning(const std::string& text)
{
    m_err << "warning: " << text << "\n";
    m_warnings.push_back(text);
}

int Session::failed(std::int32_t number)
{
    m_err << "error " << number << ": " << engine::errorDescription(number) << "\n";
    return kExitFailed;
}

}  // namespace tessaly::cli
