// The counting rules at the edge of the engine: names turned into the form
// the engine counts under each accent rule, the letters named as not
// counted, and the rules kept in the settings.

#include "store/letterrulessetting.h"
#include "store/personname.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace quadrivium;

class TestLetterRules : public QObject {
    Q_OBJECT
private slots:
    void engineName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("ignoreForm"); // Latin-1 bytes
        QTest::addColumn<QByteArray>("baseForm");
        QTest::addColumn<QString>("ignoreNamed");
        QTest::addColumn<QString>("baseNamed");

        // Latin-1 accents reach the engine as they are; it counts them by the rule.
        QTest::newRow("Latin-1 accent") << QStringLiteral("Lef\u00e8vre") << QByteArray("Lef\xe8vre")
            << QByteArray("Lef\xe8vre") << QStringLiteral("\u00e8") << QString();
        QTest::newRow("stroke and ogonek") << QStringLiteral("\u0141ukasz Wa\u0142\u0119sa")
            << QByteArray("ukasz Wasa") << QByteArray("Lukasz Walesa")
            << QStringLiteral("\u0141\u0142\u0119") << QString();
        QTest::newRow("ligature oe") << QStringLiteral("\u0152dipe") << QByteArray("dipe") << QByteArray("OEdipe")
            << QStringLiteral("\u0152") << QString();
        // A base letter typed with a combining mark is the same letter.
        QTest::newRow("combining caron") << QStringLiteral("Dvor\u0061\u030ck") << QByteArray("Dvork")
            << QByteArray("Dvorak") << QStringLiteral("\u01ce") << QString();
        QTest::newRow("no base letter") << QStringLiteral("\u0110or\u0111e \u00d0") << QByteArray("ore \xd0")
            << QByteArray("ore \xd0") << QStringLiteral("\u0110\u0111\u00d0") << QStringLiteral("\u0110\u0111\u00d0");
        QTest::newRow("other script") << QStringLiteral("\u0391nna") << QByteArray("nna") << QByteArray("nna")
            << QStringLiteral("\u0391") << QStringLiteral("\u0391");
        QTest::newRow("umlauts stay") << QStringLiteral("J\u00f6rg Gro\u00df") << QByteArray("J\xf6rg Gro\xdf")
            << QByteArray("J\xf6rg Gro\xdf") << QString() << QString();
    }

    // Guards against a letter with a base letter being dropped (or named as
    // not counted) under the accent rule, and against letters without one
    // being counted as something else.
    void engineName()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, ignoreForm);
        QFETCH(QByteArray, baseForm);
        QFETCH(QString, ignoreNamed);
        QFETCH(QString, baseNamed);
        QCOMPARE(QByteArray::fromStdString(EngineName(name)), ignoreForm);
        QCOMPARE(QByteArray::fromStdString(EngineName(name, AccentRule::Base)), baseForm);
        QCOMPARE(IgnoredLettersOf(name), ignoreNamed);
        QCOMPARE(IgnoredLettersOf(name, AccentRule::Base), baseNamed);
    }

    // The rules chosen are kept; a missing or damaged value is the usual rule.
    void kept()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("settings.ini"));
        {
            QSettings settings(file, QSettings::IniFormat);
            QVERIFY(LoadLetterRules(settings).isDefault());
            SaveLetterRules(settings, LetterRules{AccentRule::Base, YRule::VowelIfNeeded});
        }
        {
            QSettings settings(file, QSettings::IniFormat);
            QCOMPARE(LoadLetterRules(settings), (LetterRules{AccentRule::Base, YRule::VowelIfNeeded}));
            settings.setValue(QStringLiteral("Rules/Accents"), QStringLiteral("sometimes"));
            QCOMPARE(LoadLetterRules(settings), (LetterRules{AccentRule::Ignore, YRule::VowelIfNeeded}));
        }
    }

    // A reading states its rules only when they are not the usual ones.
    void notice()
    {
        QVERIFY(LetterRulesNotice(LetterRules{}).isEmpty());
        QVERIFY(LetterRulesNotice(LetterRules{AccentRule::Ignore, YRule::VowelIfNeeded}).startsWith(QLatin1String("Rules: ")));
        QVERIFY(NoFateNote(LetterRules{}).contains(QLatin1String("Y")));
    }
};

QTEST_GUILESS_MAIN(TestLetterRules)
#include "tst_letterrules.moc"
