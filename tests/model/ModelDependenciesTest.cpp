#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

// The model is the base every subsystem builds on; the composition root (the application) joins
// it to their implementations, so it includes none of them.
TEST(ModelDependencies, TheModelIncludesNoOtherSubsystemsImplementation)
{
    static const QRegularExpression include(
        QStringLiteral(
            R"(^\s*#\s*include\s*"(ai|app|card|coach|input|platform|review|selftest|ui|wordbook)/)"),
        QRegularExpression::MultilineOption);
    int files = 0;
    QDirIterator it(QStringLiteral(QT_TESTCASE_SOURCEDIR "/../src/model"),
                    {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files);
    while (it.hasNext()) {
        QFile file(it.next());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
        ++files;
        EXPECT_FALSE(include.match(QString::fromUtf8(file.readAll())).hasMatch())
            << file.fileName().toStdString();
    }
    EXPECT_GT(files, 20);
}
