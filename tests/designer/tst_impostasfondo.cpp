#include "designer/impostasfondo.h"

#include "designertesting.h"
#include "support/designerfixture.h"
#include "support/scripteddialogs.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

namespace {

bool savePicture(const QString &path, QSize size, const char *format)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    return image.save(path, format);
}

QStringList listed(QWidget &form)
{
    const auto *files = named<QListWidget>(form, "File1");
    QStringList names;
    for (int i = 0; i < files->count(); ++i)
        names << files->item(i)->text();
    return names;
}

void clickFile(QWidget &form, const QString &name)
{
    auto *files = named<QListWidget>(form, "File1");
    const QRect place = files->visualItemRect(files->findItems(name, Qt::MatchExactly).value(0));
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, place.center());
}

// Picked, then opened with Enter: QTest's synthetic double click activates no tree item.
void openFolder(QWidget &form, const QString &name)
{
    auto *folders = named<QTreeWidget>(form, "Dir1");
    QTreeWidgetItem *item =
        folders->findItems(name, Qt::MatchExactly | Qt::MatchRecursive).value(0);
    QTest::mouseClick(folders->viewport(), Qt::LeftButton, {},
                      folders->visualItemRect(item).center());
    QTest::keyClick(folders, Qt::Key_Return);
}

QString label10(const DesignerFixture &designer)
{
    return designer.element(u"Label10"_qs)->property("text").toString();
}

} // namespace

class TestImpostaSfondo : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void browsesFoldersAndListsOnlyJpgAndBmp();
    void aRootFolderGetsNoSecondSeparator();
    void previewShowsThePixelSizeAndImpostaSetsIt_data();
    void previewShowsThePixelSizeAndImpostaSetsIt();
    void impostaWithoutAFileAndEliminaClearItAnUnreadableFileDoesNot();

private:
    QString path(const QString &name) const { return folder_ + QDir::separator() + name; }

    std::unique_ptr<QTemporaryDir> dir_;
    QString folder_; // native
    ScriptedDialogs dialogs_;
};

void TestImpostaSfondo::init()
{
    dialogs_ = ScriptedDialogs();
    dir_ = std::make_unique<QTemporaryDir>();
    folder_ = QDir::toNativeSeparators(dir_->path());
    QVERIFY(savePicture(dir_->filePath(u"a.jpg"_qs), {40, 30}, "JPG"));
    QVERIFY(savePicture(dir_->filePath(u"b.BMP"_qs), {17, 9}, "BMP"));
    QVERIFY(savePicture(dir_->filePath(u"c.png"_qs), {5, 5}, "PNG"));
    QVERIFY(savePicture(dir_->filePath(u"d.jpeg"_qs), {5, 5}, "JPG"));
    QFile garbage(dir_->filePath(u"X.JPG"_qs));
    QVERIFY(garbage.open(QIODevice::WriteOnly) && garbage.write("non un'immagine") > 0);
    QVERIFY(QDir(dir_->path()).mkdir(u"sotto"_qs));
    QVERIFY(savePicture(dir_->filePath(u"sotto/e.jpg"_qs), {8, 8}, "JPG"));
}

void TestImpostaSfondo::browsesFoldersAndListsOnlyJpgAndBmp()
{
    DesignerFixture designer;
    designer.element(u"Label10"_qs)->setProperty("text", path(u"sotto/e.jpg"_qs));
    ImpostaSfondo form(dialogs_, designer, designer, &designer);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    // It opens on the folder of the picture in use, on that folder's drive.
    QCOMPARE(form.folder(), path(u"sotto"_qs));
    QCOMPARE(listed(form), QStringList{u"e.jpg"_qs});
    QVERIFY(form.folder().startsWith(named<QComboBox>(form, "Drive1")->currentText()));

    openFolder(form, dir_->path().section(u'/', -1));
    QCOMPARE(form.folder(), folder_);
    QCOMPARE(listed(form), (QStringList{u"a.jpg"_qs, u"b.BMP"_qs, u"X.JPG"_qs}));
    openFolder(form, u"sotto"_qs);
    QCOMPARE(form.folder(), path(u"sotto"_qs));

    QVERIFY(form.picturePath().isEmpty());
    QVERIFY(designer.pictures.isEmpty() && designer.paths.isEmpty());
}

void TestImpostaSfondo::aRootFolderGetsNoSecondSeparator()
{
    const QString root = QDir::toNativeSeparators(QDir::rootPath());
    QCOMPARE(ImpostaSfondo::joinPath(root, u"f.jpg"_qs), root + u"f.jpg"_qs);
    QCOMPARE(ImpostaSfondo::joinPath(folder_, u"f.jpg"_qs), path(u"f.jpg"_qs));

    DesignerFixture designer;
    ImpostaSfondo form(dialogs_, designer, designer);
    form.setFolder(QDir::rootPath());
    QCOMPARE(form.folder(), root);
    QCOMPARE(named<QComboBox>(form, "Drive1")->currentText(), root);
}

void TestImpostaSfondo::previewShowsThePixelSizeAndImpostaSetsIt_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QSize>("size");
    QTest::newRow("jpeg") << u"a.jpg"_qs << QSize(40, 30);
    QTest::newRow("bitmap") << u"b.BMP"_qs << QSize(17, 9);
}

void TestImpostaSfondo::previewShowsThePixelSizeAndImpostaSetsIt()
{
    QFETCH(QString, file);
    QFETCH(QSize, size);

    DesignerFixture designer;
    ImpostaSfondo form(dialogs_, designer, designer, &designer);
    form.setFolder(folder_);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    clickFile(form, file);

    QCOMPARE(form.picturePath(), path(file));
    const auto *preview = named<QLabel>(form, "Image1");
    QCOMPARE(preview->pixmap().size(), size);
    QCOMPARE(preview->size(), size); // natural size, not scaled
    QCOMPARE(QSize(named<QLineEdit>(form, "F1")->text().toInt(),
                   named<QLineEdit>(form, "F2")->text().toInt()),
             size);
    QVERIFY(designer.pictures.isEmpty());

    click(form, "PushButton1");
    click(form, "Command5");
    QVERIFY(!form.isVisible());
    QCOMPARE(designer.pictures.size(), 1);
    QCOMPARE(designer.pictures[0].size(), size);
    QCOMPARE(designer.paths, QStringList{path(file)});
    QCOMPARE(label10(designer), path(file));
    QVERIFY(dialogs_.messages.isEmpty());
}

void TestImpostaSfondo::impostaWithoutAFileAndEliminaClearItAnUnreadableFileDoesNot()
{
    DesignerFixture designer;
    designer.element(u"Label10"_qs)->setProperty("text", path(u"a.jpg"_qs));
    ImpostaSfondo form(dialogs_, designer, designer);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    click(form, "PushButton1");
    QCOMPARE(designer.pictures.size(), 1);
    QVERIFY(designer.pictures[0].isNull());
    QCOMPARE(designer.paths, QStringList{QString()});
    QCOMPARE(label10(designer), QString());

    clickFile(form, u"b.BMP"_qs);
    click(form, "PushButton1");
    QVERIFY(dialogs_.messages.isEmpty());

    // An unreadable picture leaves the one set in place.
    clickFile(form, u"X.JPG"_qs);
    click(form, "PushButton1");
    const QString unreadable = u"Impossibile leggere l'immagine:\n"_qs + path(u"X.JPG"_qs)
                               + u"\n(il file non contiene un'immagine leggibile)"_qs;
    QCOMPARE(dialogs_.messageTexts(),
             (QStringList{unreadable, unreadable + u"\nLo sfondo non è stato cambiato."_qs}));
    QCOMPARE(dialogs_.messages[1].title, u"ATTENZIONE"_qs);
    QVERIFY(named<QLabel>(form, "Image1")->pixmap().isNull());
    QCOMPARE(designer.pictures.size(), 2);
    QCOMPARE(label10(designer), path(u"b.BMP"_qs));

    click(form, "PushButton3");
    QCOMPARE(designer.pictures.size(), 3);
    QVERIFY(!designer.pictures[1].isNull() && designer.pictures[2].isNull());
    QCOMPARE(designer.paths.last(), QString());
    QCOMPARE(label10(designer), QString());
}

QTEST_MAIN(TestImpostaSfondo)
#include "tst_impostasfondo.moc"
