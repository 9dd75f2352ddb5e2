#include "cli/session.h"

#include "cli/cli.h"
#include "engine/errors.h"

namespace tessaly::cli {

void Session::message(const std::string& text)
{
    // One line each; the empty lines that space a message box out are left out.
    std::size_t from = 0;
    for (;;) {
        const std::size_t end = text.find('\n', from);
        const std::string line = text.substr(from, end - from);
        if (!line.empty() || text.empty()) {
            m_err << "message: " << line << "\n";
            m_messages.push_back(line);
        }
        if (end == std::string::npos)
            break;
        from = end + 1;
    }
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
