#include "cli/session.h"

#include "cli/cli.h"
#include "engine/errors.h"
#include "engine/evaluation.h"

namespace tessaly::cli {

Session::Session(std::ostream& err) : m_err(err)
{
    engine.setErrorObserver([this](const engine::ScriptError& e) {
        if (engine::mainWindowShowsError(e.number))
            message(e.description);
    });
    engine::prepareWindowEngine(engine, object);
}

void Session::message(const std::string& text) { m_err << "message: " << text << "\n"; }

int Session::failed(std::int32_t number)
{
    m_err << "error " << number << ": " << engine::errorDescription(number) << "\n";
    return kExitFailed;
}

}  // namespace tessaly::cli
