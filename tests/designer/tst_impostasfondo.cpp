#include "designer/impostasfondo.h"
#include "designertesting.h"
#include "support/scripteddialogs.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

// The picture picker on a folder of pictures and other files; what it reports as chosen.
class TestImpostaSfondo : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir_;
    QString folder_ = QDir::toNativeSeparators(dir_.path());
    QString path(const QString &name) const { return folder_ + QDir::separator() + name; }

private slots:
    void initTestCase()
    {
        QImage picture(40, 30, QImage::Format_RGB32);
        QVERIFY(picture.save(path(u"a.jpg"_qs), "JPG") && picture.save(path(u"c.png"_qs), "PNG"));
        QVERIFY(picture.copy(0, 0, 17, 9).save(path(u"b.BMP"_qs), "BMP"));
        QFile other(path(u"X.JPG"_qs)); // listed, whatever it holds
        QVERIFY(other.open(QIODevice::WriteOnly) && other.write("non un'immagine") > 0);
        const QString root = QDir::toNativeSeparators(QDir::rootPath());
        QCOMPARE(ImpostaSfondo::joinPath(root, u"f.jpg"_qs), root + u"f.jpg"_qs);
    }

    void choosingSaysWhatWasChosen_data()
    {
        QTest::addColumn<QString>("file"); // empty: none clicked
        QTest::addColumn<QString>("button");
        QTest::addColumn<QSize>("size"); // of the picture chosen; invalid: none
        QTest::newRow("jpeg") << u"a.jpg"_qs << u"PushButton1"_qs << QSize(40, 30);
        QTest::newRow("bitmap") << u"b.BMP"_qs << u"PushButton1"_qs << QSize(17, 9);
        QTest::newRow("imposta without a file") << QString() << u"PushButton1"_qs << QSize();
        QTest::newRow("elimina") << u"a.jpg"_qs << u"PushButton3"_qs << QSize();
    }

    void choosingSaysWhatWasChosen()
    {
        QFETCH(QString, file);
        QFETCH(QString, button);
        QFETCH(QSize, size);
        ScriptedDialogs dialogs;
        // It opens on the folder of the picture in use, listing JPEG and bitmap files only.
        ImpostaSfondo form(dialogs, path(u"a.jpg"_qs));
        QCOMPARE(form.folder(), folder_);
        auto *files = named<QListWidget>(form, u"File1"_qs);
        QCOMPARE(files->count(), 3);
        QSignalSpy chosen(&form, &ImpostaSfondo::backgroundChosen);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        if (!file.isEmpty()) {
            const QRect place =
                files->visualItemRect(files->findItems(file, Qt::MatchExactly).value(0));
            QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, place.center());
        }
        if (size.isValid()) {
            QCOMPARE(named<QLabel>(form, u"Image1"_qs)->size(), size); // natural size
            QCOMPARE(QSize(named<QLineEdit>(form, u"F1"_qs)->text().toInt(),
                           named<QLineEdit>(form, u"F2"_qs)->text().toInt()),
                     size);
        }
        click(form, button);

        QCOMPARE(chosen.count(), 1);
        QCOMPARE(chosen[0][0].toString(), size.isValid() ? path(file) : QString());
        QCOMPARE(chosen[0][1].value<QPixmap>().size(), size.isValid() ? size : QSize(0, 0));
        QVERIFY(dialogs.messages.isEmpty());
    }
};

QTEST_MAIN(TestImpostaSfondo)
#include "tst_impostasfondo.moc"
