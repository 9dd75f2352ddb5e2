#include "app/studyfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QMenu>

#include "app/dialogs.h"
#include "app/prompter.h"
#include "app/windowparts.h"
#include "app/windowstate.h"

namespace tessaly::app {

StudyFiles::StudyFiles(QWidget& window, QMenu& recentMenu, Host& host, Prompter& prompter, Dialogs& dialogs,
                       WindowState& state)
    : m_window(window), m_recentMenu(recentMenu), m_host(host), m_prompter(prompter), m_dialogs(dialogs), m_state(state)
{
}

QString StudyFiles::folder() const
{
    if (!m_path.isEmpty())
        return QFileInfo(m_path).absolutePath();
    return QDir::homePath();
}

bool StudyFiles::modified() const
{
    return m_host.studyItems() != m_savedItems || m_host.studyResults() != m_savedResults;
}

QString StudyFiles::title() const { return studyWindowTitle(m_path, modified()); }

void StudyFiles::forget()
{
    m_path.clear();
    m_host.studyFileChanged();
}

void StudyFiles::markSaved()
{
    m_savedItems = m_host.studyItems();
    m_savedResults = m_host.studyResults();
    m_host.studyFileChanged();
}

void StudyFiles::remember(const QString& path)
{
    m_state.remember(path);
    fillRecentMenu();
}

bool StudyFiles::open(const QString& path)
{
    const docs::StudyRead read = docs::readStudyFile(path);
    if (!read.study) {
        m_prompter.message(read.message);
        return false;
    }
    m_path = path;
    m_host.showStudy(*read.study);
    markSaved();
    remember(path);
    if (!read.replaced.empty())
        m_prompter.message(QString::fromStdString(record::replacedMessage(read.replaced)));
    return true;
}

bool StudyFiles::save(const QString& path)
{
    // The bitmap beside a study always shows that study.
    const std::optional<QImage> graph = m_host.studyGraph();
    if (const auto message =
            docs::saveStudy(path, m_host.studyItems(), m_host.studyResults(), graph ? &*graph : nullptr)) {
        m_prompter.message(*message);
        return false;
    }
    m_path = path;
    markSaved();
    remember(path);
    return true;
}

void StudyFiles::openChosen()
{
    if (!maybeSaveChanges())
        return;
    const QString chosen = m_dialogs.openFileName(&m_window, folder());
    if (chosen.isEmpty())
        forget();
    else
        open(chosen);
}

void StudyFiles::saveToFile()
{
    if (!m_path.isEmpty()) {
        save(m_path);
        return;
    }
    const QString chosen = m_dialogs.saveFileName(&m_window, folder());
    if (!chosen.isEmpty())
        save(chosen);
}

void StudyFiles::saveAs()
{
    const QString chosen = m_dialogs.saveFileName(&m_window, folder());
    if (chosen.isEmpty())
        forget();
    else
        save(chosen);
}

void StudyFiles::openReplacing(const QString& path)
{
    if (maybeSaveChanges())
        open(path);
}

bool StudyFiles::maybeSaveChanges()
{
    if (m_path.isEmpty() || !modified())
        return true;
    const QString name = studyDisplayName(m_path);
    switch (m_prompter.ask(kProgramTitle, QStringLiteral("Save changes to %1?").arg(name), Prompter::Icon::Question,
                           Prompter::Buttons::SaveDiscardCancel)) {
    case Prompter::Answer::Save: return save(m_path);
    case Prompter::Answer::Discard: return true;
    default: return false;
    }
}

void StudyFiles::fillRecentMenu()
{
    app::fillRecentMenu(
        m_recentMenu, m_state.recent(), [this](const QString& path) { openReplacing(path); },
        [this] { m_state.save(); });
}

}  // namespace tessaly::app
