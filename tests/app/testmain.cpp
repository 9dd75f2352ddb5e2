// Widget tests run on the offscreen platform: nothing is shown, nothing blocks.
// The settings go to a folder of the test's own, never to the user's.

#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QtMessageHandler g_standard = nullptr;

// The offscreen platform says that it cannot size windows by their hints or
// raise them; that is expected here and only clutters the output.
void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.contains(QLatin1String("propagateSizeHints")) || message.contains(QLatin1String("support raise()")))
        return;
    if (g_standard)
        g_standard(type, context, message);
}

}  // namespace

int main(int argc, char** argv)
{
    g_standard = qInstallMessageHandler(quietHandler);
#ifdef TESSALY_TEST_LANG
    // The locale tests: a locale built for them, whatever the machine provides.
    qputenv("LOCPATH", TESSALY_TEST_LOCALES);
    qputenv("LANG", TESSALY_TEST_LANG);
    qunsetenv("LC_ALL");
    qunsetenv("LC_NUMERIC");
#endif
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tessaly"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
