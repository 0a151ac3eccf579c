// Qt's own texts (standard buttons) in the program's language, and window titles as given.
#include "TestSupport.h"
#include "core/Allgemein.h"
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPushButton>

using namespace zorbel;

class TestQtTexts : public QObject {
    Q_OBJECT
private slots:
    void standardButtonsSpeakTheProgramsLanguage_data()
    {
        QTest::addColumn<int>("sprache");
        QTest::addColumn<QStringList>("yesNoOkCancel");
        QTest::newRow("German") << 0 << QStringList{"&Ja", "&Nein", "OK", "Abbrechen"};
        QTest::newRow("English") << 1000 << QStringList{"&Yes", "&No", "OK", "Cancel"};
        QTest::newRow("Swedish") << 2000 << QStringList{"&Ja", "&Nej", "OK", "Avbryt"};
        QTest::newRow("Italian") << 3000 << QStringList{"&S\u00ec", "&No", "OK", "Annulla"};
        QTest::newRow("Spanish") << 4000 << QStringList{"&S\u00ed", "&No", "Aceptar", "Cancelar"};
        QTest::newRow("Norwegian") << 5000 << QStringList{"&Ja", "&Nei", "OK", "Avbryt"};
        QTest::newRow("French") << 6000 << QStringList{"&Oui", "&Non", "OK", "Annuler"};
    }

    void standardButtonsSpeakTheProgramsLanguage()
    {
        QFETCH(int, sprache);
        QFETCH(QStringList, yesNoOkCancel);
        Allgemein::Sprache = int16_t(sprache);
        QMessageBox question(QMessageBox::Question, QStringLiteral("t"), QStringLiteral("q"),
                             QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(question.button(QMessageBox::Yes)->text(), yesNoOkCancel[0]);
        QCOMPARE(question.button(QMessageBox::No)->text(), yesNoOkCancel[1]);
        // The input box's buttons are a standard button box.
        QDialogButtonBox box(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        QCOMPARE(box.button(QDialogButtonBox::Ok)->text(), yesNoOkCancel[2]);
        QCOMPARE(box.button(QDialogButtonBox::Cancel)->text(), yesNoOkCancel[3]);
        Allgemein::Sprache = 0;
    }

    void titlesGetNothingAppended()
    {
        // The platform appends a display name to every window title ("Fehler / Error!  - Zorbel");
        // when none is set it reports the application's name.
        QCOMPARE(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());
    }
};

ZORBEL_TEST_MAIN(TestQtTexts)
#include "test_qttexts.moc"
