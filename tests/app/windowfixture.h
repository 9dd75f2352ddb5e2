#pragma once

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "app/frmfunctions.h"
#include "recordingdialogs.h"
#include "recordingprompter.h"

namespace tessaly::app::testing {

// A loaded main window on the offscreen platform, with a settings file of its
// own and a prompter that answers its message boxes.
struct Window {
    RecordingPrompter prompter;
    RecordingDialogs dialogs;
    QTemporaryDir folder;
    std::unique_ptr<FrmFunctions> w;

    explicit Window(const QByteArray* settings = nullptr, std::function<bool()> openStudy = {})
    {
        start(settings, std::move(openStudy));
    }

    // Creates and loads the window (again), from the settings file as it is now.
    void start(const QByteArray* settings = nullptr, std::function<bool()> openStudy = {})
    {
        w = std::make_unique<FrmFunctions>(prompter, dialogs);
        w->setSettingsPath(path());
        if (settings) {
            QFile f(path());
            f.open(QIODevice::WriteOnly);
            f.write(*settings);
        }
        w->Form_Load(openStudy);
        w->show();
    }

    QString path() const { return folder.filePath(QStringLiteral("tessaly.ini")); }
    QByteArray file() const
    {
        QFile f(path());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    template <typename T>
    T* find(const char* name) const
    {
        return w->findChild<T*>(QString::fromLatin1(name));
    }
    QString text(const char* field) const { return find<QLineEdit>(field)->text(); }
    void set(const char* field, const QString& text) const { find<QLineEdit>(field)->setText(text); }
    // Changes a field without its change rules (so no stale mark discards the
    // results a test wants to see kept by a failing command).
    void setQuietly(const char* field, const QString& text) const
    {
        const QSignalBlocker quiet(find<QLineEdit>(field));
        find<QLineEdit>(field)->setText(text);
    }
    void press(const char* button) const { QTest::mouseClick(find<QPushButton>(button), Qt::LeftButton); }
    QStringList rows(const char* list) const
    {
        QStringList r;
        auto* l = find<QListWidget>(list);
        for (int i = 0; i < l->count(); ++i)
            r << l->item(i)->text();
        return r;
    }

    QComboBox* constants() const { return find<QComboBox>("cboConstants"); }
    QStringList listed() const
    {
        QStringList items;
        for (int i = 0; i < constants()->count(); ++i)
            items << constants()->itemText(i);
        return items;
    }
    // Types a text into the constants box key by key, as the keyboard sends the
    // keys (to the box, which hands them to its line edit), and presses Add.
    void add(const QString& typed)
    {
        w->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w.get()));
        constants()->setFocus();
        constants()->lineEdit()->clear();
        QTest::keyClicks(constants(), typed);
        press("cmdAddCons");
    }
    void select(int k) const { constants()->setCurrentIndex(k); }
};

}  // namespace tessaly::app::testing
