#include "console/qttranslation.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

// Qt's own texts in Italian when Qt's translations are installed; English, and no failure,
// when they are not.
class TestQtTranslation : public QObject
{
    Q_OBJECT

private slots:
    void standardButtonsSpeakItalian()
    {
        QTemporaryDir empty;
        QVERIFY(!QtTranslation::install(*qApp, empty.path()));
        QDialogButtonBox english(QDialogButtonBox::Cancel);
        QCOMPARE(english.button(QDialogButtonBox::Cancel)->text(), u"Cancel"_qs);

        if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath)
                           + u"/qtbase_it.qm"_qs))
            QSKIP("Qt's Italian translation (qt6-translations-l10n) is not installed");
        QVERIFY(QtTranslation::install(*qApp));
        QDialogButtonBox italian(QDialogButtonBox::Cancel);
        QCOMPARE(italian.button(QDialogButtonBox::Cancel)->text(), u"Annulla"_qs);
    }
};

QTEST_MAIN(TestQtTranslation)
#include "tst_qttranslation.moc"
