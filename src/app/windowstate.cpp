#include "app/windowstate.h"

#include <iostream>

#include "app/prompter.h"
#include "docs/filename.h"

namespace tessaly::app {

WindowState::WindowState(Prompter& prompter) : m_prompter(prompter), m_settingsPath(docs::settingsFilePath()) {}

void WindowState::load()
{
    m_state.load(docs::StateFile::besideSettings(m_settingsPath));
    m_recent.load(m_state);
}

void WindowState::save()
{
    m_recent.store(m_state);
    QString reason;
    if (!m_state.save(&reason))
        std::cerr << "tessaly: could not save "
                  << docs::displayFileName(docs::StateFile::besideSettings(m_settingsPath)).toStdString() << ": "
                  << reason.toStdString() << std::endl;
}

void WindowState::remember(const QString& study)
{
    m_recent.add(study);
    save();
}

void WindowState::setTrustedDigitsOnly(bool only)
{
    m_state.set(kTrustedDigitsKey, only ? "1" : "0");
    QString reason;
    if (!m_state.save(&reason))
        m_prompter.message(QStringLiteral("Could not save the view: %1").arg(reason));
}

std::optional<QByteArray> WindowState::geometry() const
{
    if (const auto geometry = m_state.value("geometry"))
        return QByteArray::fromBase64(QByteArray::fromStdString(*geometry));
    return std::nullopt;
}

void WindowState::setGeometry(const QByteArray& geometry)
{
    m_state.set("geometry", geometry.toBase64().toStdString());
}

docs::SettingsRead WindowState::readSettings() const
{
    return docs::readSettingsFile(m_settingsPath, /*keepBadCopy=*/true);
}

void WindowState::writeSettings(const record::SettingsItems& items, bool toStandardError)
{
    QString reason;
    if (docs::writeSettingsFile(m_settingsPath, items, &reason))
        return;
    const QString text =
        QStringLiteral("Could not save the settings file %1: %2").arg(docs::displayFileName(m_settingsPath), reason);
    if (toStandardError)
        std::cerr << text.toStdString() << std::endl;
    else
        m_prompter.message(text);
}

}  // namespace tessaly::app
