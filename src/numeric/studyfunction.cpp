#include "numeric/studyfunction.h"

namespace tessaly::numeric {

EngineFunction::EngineFunction(engine::Engine& engine, engine::Class1& object, const std::string& text)
    : m_function(engine, object, text), m_object(object)
{
}

std::int32_t EngineFunction::trapped(std::int32_t raised) { return engine::trappedError(raised, m_object); }

}  // namespace tessaly::numeric
