#include "cli/session.h"

#include "cli/cli.h"
#include "engine/errors.h"
#include "engine/evaluation.h"

namespace tessaly::cli {

Session::Session(std::ostream& err) : m_err(err)
{
    engine.setErrorObserver([this](const engine::ScriptError& e) {
        if (!m_runningConstants && engine::mainWindowShowsError(e.number))
            message(e.description);
    });
    engine::prepareWindowEngine(engine, object);
}

void Session::message(const std::string& text)
{
    // One line each; the empty lines that space a message box out are left out.
    std::size_t from = 0;
    for (;;) {
        const std::size_t end = text.find('\n', from);
        const std::string line = text.substr(from, end - from);
        if (!line.empty() || text.empty())
            m_err << "message: " << line << "\n";
        if (end == std::string::npos)
            break;
        from = end + 1;
    }
}

std::int32_t Session::runConstants(const engine::UserConstants& constants)
{
    m_constantProblem.reset();
    m_runningConstants = true;
    const engine::UserConstants::Failure failure = constants.execute(engine);
    m_runningConstants = false;
    if (!failure)
        return 0;
    m_constantProblem = constants.failureMessage(failure);
    return failure.error.number;
}

void Session::runEachConstant(const engine::UserConstants& constants)
{
    m_runningConstants = true;
    const auto failures = constants.executeEach(engine, object);
    m_runningConstants = false;
    std::string told;
    for (const auto& f : failures) {
        if (!told.empty())
            told += '\n';
        told += constants.failureMessage(f);
    }
    if (!told.empty())
        message(told);
}

void Session::tellReadFailure(const std::optional<std::string>& commandMessage)
{
    std::string text = commandMessage.value_or(std::string());
    if (m_constantProblem) {
        if (!text.empty())
            text += '\n';
        text += *m_constantProblem;
    }
    if (!text.empty())
        message(text);
}

int Session::failed(std::int32_t number)
{
    m_err << "error " << number << ": " << engine::errorDescription(number) << "\n";
    return kExitFailed;
}

}  // namespace tessaly::cli
