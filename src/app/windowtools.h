#pragma once

#include <QLineEdit>

#include <string>

namespace tessaly::app {

// A field's text as the numerical code takes it.
inline std::string textOf(const QLineEdit* field) { return field->text().toStdString(); }

// Sets a flag for as long as it lives.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : m_flag(flag) { m_flag = true; }
    ~FlagScope() { m_flag = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& m_flag;
};

}  // namespace tessaly::app
