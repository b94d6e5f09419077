#include "CommandNames.h"
#include "DoubleClick.h"
#include "FailingSaves.h"
#include "TrackerScreenDriver.h"

#include "screens/ClickableImage.h"
#include "screens/FolderList.h"
#include "screens/ReadableCaption.h"
#include "screens/Twips.h"
#include "storage/GColor14File.h"
#include "storage/TextRecordFile.h"
#include "weight/WeightFile.h"
#include "weight/ui/WeightTracker.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace {

// Pictures the tests choose from, generated once: a home folder with its
// Pictures folder, a camera folder beside a few awkward ones, and a home
// without a Pictures folder.
class PictureFolders
{
public:
    PictureFolders()
    {
        QDir root(m_dir.path());
        for (const char* folder : { "home/Pictures/Camera", "home/Pictures/Say \"cheese\"",
                 "home/Pictures/\u5199\u771f", "bare" })
            root.mkpath(QString::fromUtf8(folder));
        savePicture(camera("big.jpg"), QSize(3000, 2000));
        savePicture(camera("small.jpg"), QSize(100, 80));
        savePicture(camera("IMG_0001.JPG"), QSize(640, 480));
        savePicture(pictures() + QStringLiteral("/holiday.jpg"), QSize(120, 90));
        savePicture(pictures() + QStringLiteral("/Say \"cheese\"/smile.jpg"), QSize(90, 60));
        savePicture(pictures() + QStringLiteral("/\u5199\u771f/photo.jpg"), QSize(90, 60));
        writeText(camera("notes.jpg"), "shopping list, not a picture");
        writeText(camera("readme.txt"), "not listed");
    }

    QString home() const { return m_dir.filePath(QStringLiteral("home")); }
    QString bareHome() const { return m_dir.filePath(QStringLiteral("bare")); }
    QString pictures() const { return home() + QStringLiteral("/Pictures"); }
    QString camera(const QString& name = QString()) const
    {
        return pictures() + QStringLiteral("/Camera/") + name;
    }

private:
    static void savePicture(const QString& path, QSize size)
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(QColor(90, 140, 200));
        ASSERT_TRUE(image.save(path, "JPG")) << path.toStdString();
    }
    static void writeText(const QString& path, const QByteArray& text)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    QTemporaryDir m_dir;
};

class ProgressPicturesTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { s_folders = new PictureFolders; }
    static void TearDownTestSuite()
    {
        delete s_folders;
        s_folders = nullptr;
    }

    void SetUp() override
    {
        m_savedHome = qgetenv("HOME");
        m_savedConfig = qgetenv("XDG_CONFIG_HOME");
        useHome(folders().home());
        // No user-dirs.dirs: the Pictures folder is the one in the home.
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(driver.folder.filePath("no-config")));
    }
    void TearDown() override
    {
        driver.screen.reset();
        qputenv("HOME", m_savedHome);
        if (m_savedConfig.isNull())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", m_savedConfig);
    }

    static const PictureFolders& folders() { return *s_folders; }
    static void useHome(const QString& home) { qputenv("HOME", QFile::encodeName(home)); }

    // Ann, with the two picture lines as given (unset: no line at all).
    void storeAnn(std::optional<QString> beginning = {}, std::optional<QString> current = {})
    {
        WeightFile file;
        file.name = QStringLiteral("Ann");
        file.beginningPictureDate = QStringLiteral("January 2, 2026");
        file.beginningPicture = beginning;
        file.currentPicture = current;
        ASSERT_TRUE(file.SaveWeightFile(driver.folder.folder()));
        IndividualList list = WeightFile::LoadIndividualList(driver.folder.folder());
        list.add(file.name);
        ASSERT_TRUE(WeightFile::WriteIndividualList(driver.folder.folder(), list));
    }

    // Ann selected and her plan panel, with the picture frame, in front.
    void openAnnsPlan()
    {
        driver.open();
        driver.select(QStringLiteral("Ann"));
        driver.button(TrackerCommand::PlanOrChart)->click();
        ASSERT_TRUE(find<QWidget>("SSFrame3")->isVisible());
    }

    template <typename W = QWidget> W* find(const char* name) const
    {
        return driver.find<W>(QLatin1String(name));
    }
    WeightTracker* screen() const { return static_cast<WeightTracker*>(driver.screen.get()); }
    // Panel3D1: the bounds are fractions of it and the views cover it.
    QWidget* mainPanel() const { return find<QWidget>("Panel3D1"); }
    QWidget* browser() const { return find<QWidget>("SSPanel12"); }
    QWidget* enlarged() const { return find<QWidget>("SSPanel13"); }
    ClickableImage* picture(int k) const
    {
        return driver.find<ClickableImage>(QStringLiteral("Image2_%1").arg(k));
    }
    ClickableImage* preview() const { return find<ClickableImage>("Image4"); }
    QPushButton* enterButton() const { return driver.button("SSCommand4"); }
    QString pathShown() const { return find<QLineEdit>("Label24")->text(); }
    QListWidget* files() const { return find<QListWidget>("File1"); }
    QString selectedFile() const
    {
        const QList<QListWidgetItem*> selected = files()->selectedItems();
        return selected.isEmpty() ? QString() : selected.first()->text();
    }

    void addEdit(int k)
    {
        driver.button(k == 0 ? "SSCommand3_0" : "SSCommand3_1")->click();
        // What the user sees once the layout has settled.
        QCoreApplication::processEvents();
        ASSERT_TRUE(browser()->isVisible());
    }

    // A double click on a folder in the folder list, as the user opens it.
    void openFolder(const QString& name)
    {
        auto* list = find<FolderList>("Dir1");
        const QList<QTreeWidgetItem*> found
            = list->findItems(name, Qt::MatchExactly | Qt::MatchRecursive);
        ASSERT_EQ(found.size(), 1) << name.toStdString();
        list->scrollToItem(found.first());
        // The view lays its items out from the event loop.
        QCoreApplication::processEvents();
        const QPoint centre = list->visualItemRect(found.first()).center();
        doubleClick(list->viewport(), centre);
        ASSERT_TRUE(pathShown().endsWith(name + QDir::separator())) << pathShown().toStdString();
    }

    void clickFile(const QString& name)
    {
        const QList<QListWidgetItem*> found = files()->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << name.toStdString();
        files()->scrollToItem(found.first());
        QCoreApplication::processEvents();
        QTest::mouseClick(files()->viewport(), Qt::LeftButton, {},
            files()->visualItemRect(found.first()).center());
    }

    void chooseFromCamera(int k, const QString& name)
    {
        addEdit(k);
        if (!pathShown().endsWith(QStringLiteral("Camera/")))
            openFolder(QStringLiteral("Camera"));
        clickFile(name);
        ASSERT_TRUE(enterButton()->isEnabled()) << name.toStdString();
        enterButton()->click();
    }

    QStringList annsLines() const
    {
        TextRecordFile file;
        QStringList values;
        if (!file.openForReading(driver.folder.filePath(QStringLiteral("Ann.Fil"))))
            return values;
        QString value;
        while (file.readValue(value))
            values.append(value);
        return values;
    }

    static void expectWithin(QSize size, double heightFraction, double widthFraction,
        const QWidget* panel, QSize natural)
    {
        const double heightBound = heightFraction * panel->height();
        const double widthBound = widthFraction * panel->width();
        EXPECT_LE(size.height(), heightBound + 1);
        EXPECT_LE(size.width(), widthBound + 1);
        // Reduced until the first side fits, a little below the bound at most.
        EXPECT_TRUE(size.height() >= 0.9 * heightBound || size.width() >= 0.9 * widthBound)
            << size.width() << "x" << size.height();
        EXPECT_NEAR(
            double(size.width()) / size.height(), double(natural.width()) / natural.height(), 0.02);
    }

    TrackerScreenDriver driver { weightTrackerKind() };

private:
    static inline PictureFolders* s_folders = nullptr;
    QByteArray m_savedHome;
    QByteArray m_savedConfig;
};

// The path display's text for a folder: it always ends in the separator.
QString withSeparator(const QString& folder)
{
    const QString native = QDir::toNativeSeparators(QDir::cleanPath(folder));
    return native.endsWith(QDir::separator()) ? native : native + QDir::separator();
}

TEST_F(ProgressPicturesTest, FirstUseOpensOnThePicturesFolderElseHome)
{
    struct Case {
        const char* name;
        QString home;
        QString expectedFolder;
        int picture;
        const char* caption;
    };
    const Case cases[] = {
        { "Pictures folder", folders().home(), folders().pictures(), 1, "Select Current Picture" },
        { "no Pictures folder", folders().bareHome(), folders().bareHome(), 0,
            "Select Beginning Picture" },
    };
    storeAnn();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        useHome(c.home);
        openAnnsPlan();
        addEdit(c.picture);
        EXPECT_EQ(find<QLabel>("SSPanel12Caption")->text(), c.caption);
        EXPECT_EQ(pathShown(), withSeparator(c.expectedFolder));
        EXPECT_FALSE(preview()->isVisible());
        EXPECT_FALSE(enterButton()->isEnabled());
        EXPECT_FALSE(find<QLabel>("Label19")->isVisible());
        // No drive list on a file system without drive letters.
        EXPECT_EQ(screen()->findChild<QWidget*>(QStringLiteral("Drive1")), nullptr);
        driver.screen.reset();
    }
}

TEST_F(ProgressPicturesTest, AFileClickPreviewsWhatLoadsAndRefusesTheRest)
{
    storeAnn();
    openAnnsPlan();
    addEdit(0);
    openFolder(QStringLiteral("Camera"));
    // The pattern is matched in any letter case; other files are not listed.
    QStringList listed;
    for (int row = 0; row < files()->count(); ++row)
        listed.append(files()->item(row)->text());
    EXPECT_EQ(listed, QStringList({ "big.jpg", "IMG_0001.JPG", "notes.jpg", "small.jpg" }));

    struct Case {
        const char* file;
        bool loads;
        QSize natural;
        bool withinBounds;
    };
    const Case cases[] = {
        { "big.jpg", true, { 3000, 2000 }, false },
        { "notes.jpg", false, {}, false },
        { "IMG_0001.JPG", true, { 640, 480 }, false },
        { "small.jpg", true, { 100, 80 }, true },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        clickFile(QString::fromLatin1(c.file));
        EXPECT_EQ(enterButton()->isEnabled(), c.loads);
        EXPECT_EQ(preview()->isVisible(), c.loads);
        EXPECT_EQ(find<QLabel>("Label19")->isVisible(), !c.loads);
        if (!c.loads)
            continue;
        if (c.withinBounds)
            EXPECT_EQ(preview()->size(), c.natural);
        else
            expectWithin(preview()->size(), 0.49, 0.45, mainPanel(), c.natural);
        // Centred on 0.715 of the browser's width.
        EXPECT_NEAR(preview()->x() + preview()->width() / 2.0, 0.715 * browser()->width(), 1.5);
    }

    // Another folder: the preview of this one goes, and Enter with it.
    openFolder(QStringLiteral("Pictures"));
    EXPECT_FALSE(preview()->isVisible());
    EXPECT_FALSE(enterButton()->isEnabled());
}

TEST_F(ProgressPicturesTest, EnteredPicturesAreShownSavedAndFoundAgain)
{
    storeAnn();
    openAnnsPlan();
    chooseFromCamera(0, QStringLiteral("big.jpg"));
    EXPECT_FALSE(browser()->isVisible());
    EXPECT_EQ(GColor14File(driver.folder.folder()).lastPictureFolder(),
        withSeparator(folders().camera()));
    EXPECT_TRUE(picture(0)->isVisible());
    expectWithin(picture(0)->size(), 0.18, 0.2, mainPanel(), { 3000, 2000 });
    EXPECT_TRUE(find<QLabel>("Label3_10")->isVisible());
    EXPECT_FALSE(find<QLabel>("Label3_9")->isVisible());
    EXPECT_EQ(driver.screen->changesMade(), 1);

    // The next Add/Edit of a picture without one opens where the last ended.
    chooseFromCamera(1, QStringLiteral("small.jpg"));
    EXPECT_EQ(picture(1)->size(), QSize(100, 80));
    EXPECT_TRUE(find<QLabel>("Label3_9")->isVisible());
    // The date boxes are left as they were.
    EXPECT_EQ(find<QLineEdit>("Text1_7")->text(), "January 2, 2026");
    EXPECT_EQ(find<QLineEdit>("Text1_8")->text(), "Date Photo Taken");

    driver.button(TrackerCommand::Save)->click();
    QStringList lines = annsLines();
    ASSERT_GE(lines.size(), 12);
    EXPECT_EQ(lines[10], folders().camera("big.jpg"));
    EXPECT_EQ(lines[11], folders().camera("small.jpg"));
    EXPECT_EQ(lines[8], "Date Photo Taken");

    driver.screen.reset();
    openAnnsPlan();
    for (int k : { 0, 1 }) {
        EXPECT_TRUE(picture(k)->isVisible()) << k;
        EXPECT_TRUE(screen()->pictureShown(k)) << k;
    }
    EXPECT_EQ(screen()->pictureReference(0), folders().camera("big.jpg"));
    EXPECT_EQ(picture(1)->size(), QSize(100, 80));
    EXPECT_EQ(driver.screen->changesMade(), 0);
}

TEST_F(ProgressPicturesTest, APictureIsEnteredEvenWhenItsFolderCannotBeRemembered)
{
    storeAnn();
    openAnnsPlan();
    {
        FailingSaves diskFull(5);
        chooseFromCamera(0, QStringLiteral("small.jpg"));
    }
    EXPECT_TRUE(screen()->pictureShown(0));
    EXPECT_EQ(screen()->pictureReference(0), folders().camera("small.jpg"));
    EXPECT_EQ(driver.screen->changesMade(), 1);
    ASSERT_EQ(driver.messages.messages().size(), 1);
    EXPECT_EQ(driver.messages.last().icon, MessageService::Icon::Critical);
    EXPECT_TRUE(driver.messages.last().text.contains("picture folder"));
    EXPECT_TRUE(driver.messages.last().text.contains("GColor14.Fil"));
    EXPECT_FALSE(driver.folder.exists(QStringLiteral("GColor14.Fil")));
}

TEST_F(ProgressPicturesTest, TheBrowserOpensOnTheStoredPictureElseTheRememberedFolder)
{
    const QString gone = folders().pictures() + QStringLiteral("/Gone/");
    struct Case {
        const char* name;
        std::optional<QString> reference;
        QString remembered;
        QString expectedFolder;
        const char* selected;
    };
    const Case cases[] = {
        { "stored picture", folders().camera("IMG_0001.JPG"), folders().pictures(),
            folders().camera(), "IMG_0001.JPG" },
        { "no picture, remembered folder", std::nullopt, withSeparator(folders().camera()),
            folders().camera(), "" },
        { "stored folder gone", gone + QStringLiteral("old.jpg"), withSeparator(folders().camera()),
            folders().camera(), "" },
        { "remembered folder gone", std::nullopt, gone, folders().pictures(), "" },
        // The original served drive roots only from six characters on.
        { "remembered root", QString(), QStringLiteral("/"), QStringLiteral("/"), "" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        storeAnn(c.reference);
        ASSERT_TRUE(GColor14File(driver.folder.folder()).setLastPictureFolder(c.remembered));
        openAnnsPlan();
        addEdit(0);
        EXPECT_EQ(pathShown(), withSeparator(c.expectedFolder));
        EXPECT_EQ(selectedFile(), QLatin1String(c.selected));
        const bool previewed = *c.selected != '\0';
        EXPECT_EQ(preview()->isVisible(), previewed);
        if (previewed) {
            expectWithin(preview()->size(), 0.55, 0.5, browser(), { 640, 480 });
            // Below its caption, not over it.
            EXPECT_GT(preview()->y(), find<QLabel>("Label22_3")->geometry().bottom());
        }
        EXPECT_FALSE(enterButton()->isEnabled());
        // Clicking the stored picture's file is what allows entering it.
        if (previewed) {
            clickFile(QLatin1String(c.selected));
            EXPECT_TRUE(enterButton()->isEnabled());
        }
        driver.screen.reset();
    }
}

TEST_F(ProgressPicturesTest, ExitAndDeleteRemovesTheReferenceAndLeavesTheFile)
{
    storeAnn(folders().camera("big.jpg"), folders().camera("IMG_0001.JPG"));
    openAnnsPlan();
    find<QLineEdit>("Text1_8")->setText(QStringLiteral("May 1, 2026"));
    addEdit(1);
    driver.button("SSCommand6")->click();
    EXPECT_FALSE(browser()->isVisible());
    EXPECT_FALSE(picture(1)->isVisible());
    EXPECT_FALSE(screen()->pictureShown(1));
    EXPECT_FALSE(find<QLabel>("Label3_9")->isVisible());
    EXPECT_TRUE(picture(0)->isVisible());
    EXPECT_EQ(find<QLineEdit>("Text1_8")->text(), "Date Photo Taken");
    EXPECT_EQ(driver.screen->changesMade(), 1);

    driver.button(TrackerCommand::Save)->click();
    const QStringList lines = annsLines();
    ASSERT_GE(lines.size(), 12);
    EXPECT_EQ(lines[10], folders().camera("big.jpg"));
    EXPECT_EQ(lines[11], "");
    EXPECT_EQ(lines[8], "Date Photo Taken");
    EXPECT_TRUE(QFile::exists(folders().camera("IMG_0001.JPG")));
}

TEST_F(ProgressPicturesTest, ExitWithoutEnteringChangesNothing)
{
    storeAnn(folders().camera("big.jpg"));
    openAnnsPlan();
    addEdit(0);
    clickFile(QStringLiteral("small.jpg"));
    driver.button("SSCommand5")->click();
    EXPECT_FALSE(browser()->isVisible());
    EXPECT_TRUE(driver.button(TrackerCommand::Exit)->hasFocus());
    EXPECT_EQ(screen()->pictureReference(0), folders().camera("big.jpg"));
    EXPECT_EQ(driver.screen->changesMade(), 0);
    EXPECT_FALSE(driver.folder.exists(QStringLiteral("GColor14.Fil")));
}

TEST_F(ProgressPicturesTest, AStoredPictureThatDoesNotLoadStaysHiddenAndOpensNothing)
{
    storeAnn(folders().camera("gone.jpg"), folders().camera("notes.jpg"));
    openAnnsPlan();
    for (int k : { 0, 1 }) {
        SCOPED_TRACE(k);
        EXPECT_FALSE(picture(k)->isVisible());
        EXPECT_FALSE(screen()->pictureShown(k));
        // Where the picture would be, a click opens nothing.
        QTest::mouseClick(picture(k), Qt::LeftButton);
        EXPECT_FALSE(enlarged()->isVisible());
        addEdit(k);
        EXPECT_FALSE(preview()->isVisible());
        EXPECT_FALSE(enterButton()->isEnabled());
        driver.button("SSCommand5")->click();
    }
    // The references are kept for the file to be found again.
    EXPECT_EQ(screen()->pictureReference(0), folders().camera("gone.jpg"));
}

TEST_F(ProgressPicturesTest, PathsTheWeightFileCannotHoldAreRefused)
{
    struct Case {
        const char* folder;
        const char* file;
        const char* why;
    };
    const Case cases[] = {
        { "Say \"cheese\"", "smile.jpg", "double quote" },
        { "\u5199\u771f", "photo.jpg", "\u5199" },
    };
    storeAnn();
    openAnnsPlan();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        driver.messages.clear();
        addEdit(0);
        openFolder(QString::fromUtf8(c.folder));
        clickFile(QString::fromUtf8(c.file));
        enterButton()->click();
        const QString path = pathShown() + QString::fromUtf8(c.file);
        ASSERT_EQ(driver.messages.messages().size(), 1);
        EXPECT_TRUE(driver.messages.last().text.contains(path));
        EXPECT_TRUE(driver.messages.last().text.contains(QString::fromUtf8(c.why)));
        EXPECT_EQ(driver.messages.last().icon, MessageService::Icon::Exclamation);
        // Nothing changed; the browser stays open for another choice.
        EXPECT_TRUE(browser()->isVisible());
        EXPECT_FALSE(picture(0)->isVisible());
        EXPECT_EQ(screen()->pictureReference(0), "");
        EXPECT_FALSE(driver.folder.exists(QStringLiteral("GColor14.Fil")));
        EXPECT_EQ(driver.screen->changesMade(), 0);
        driver.button("SSCommand5")->click();
    }
}

TEST_F(ProgressPicturesTest, PicturesAreEnlargedFromTheFrameAndFromThePreview)
{
    storeAnn(folders().camera("big.jpg"), folders().camera("IMG_0001.JPG"));
    openAnnsPlan();
    struct Case {
        int picture;
        const char* name;
        const char* date;
        QSize natural;
    };
    const Case cases[] = {
        { 0, "Beginning Picture", "Date Taken: January 2, 2026", { 3000, 2000 } },
        { 1, "Current Picture", "Date Taken: Date Photo Taken", { 640, 480 } },
    };
    auto* image = find<ClickableImage>("Image6");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTest::mouseClick(picture(c.picture), Qt::LeftButton);
        ASSERT_TRUE(enlarged()->isVisible());
        EXPECT_EQ(find<QLabel>("SSPanel13Caption")->text(), "Ann");
        EXPECT_EQ(find<QLabel>("Label25_0")->text(), c.name);
        EXPECT_EQ(find<QLabel>("Label25_2")->text(), c.date);
        EXPECT_FALSE(find<QLabel>("Label25_1")->isVisible());
        expectWithin(image->size(), 0.7, 0.7, mainPanel(), c.natural);
        const QPoint centre = image->mapTo(mainPanel(), image->rect().center());
        EXPECT_NEAR(centre.x(), mainPanel()->width() / 2, 2);
        EXPECT_NEAR(centre.y(), mainPanel()->height() / 2, 2);
        // Closed by a click on the picture, then by its button.
        QTest::mouseClick(image, Qt::LeftButton);
        EXPECT_FALSE(enlarged()->isVisible());
        QTest::mouseClick(picture(c.picture), Qt::LeftButton);
        driver.button("SSCommand7")->click();
        EXPECT_FALSE(enlarged()->isVisible());
    }

    addEdit(1);
    clickFile(QStringLiteral("small.jpg"));
    QTest::mouseClick(preview(), Qt::LeftButton);
    ASSERT_TRUE(enlarged()->isVisible());
    EXPECT_EQ(find<QLabel>("SSPanel13Caption")->text(), "Ann");
    EXPECT_EQ(find<QLabel>("Label25_0")->text(), "");
    EXPECT_EQ(find<QLabel>("Label25_2")->text(), "");
    EXPECT_EQ(image->size(), QSize(100, 80));
    // In front of the browser, which stays open behind it.
    const QPoint centre = image->mapTo(mainPanel(), image->rect().center());
    EXPECT_EQ(mainPanel()->childAt(centre), image);
    EXPECT_TRUE(browser()->isVisible());

    // Escape: the enlarged view, then the browser, then Exit.
    QTest::keyClick(driver.screen.get(), Qt::Key_Escape);
    EXPECT_FALSE(enlarged()->isVisible());
    EXPECT_TRUE(browser()->isVisible());
    QTest::keyClick(driver.screen.get(), Qt::Key_Escape);
    EXPECT_FALSE(browser()->isVisible());
    EXPECT_TRUE(driver.screen->isVisible());
    QTest::keyClick(driver.screen.get(), Qt::Key_Escape);
    EXPECT_FALSE(driver.screen->isVisible());
}

TEST_F(ProgressPicturesTest, PicturesAndViewsFollowTheMainPanelAtEveryWindowSize)
{
    storeAnn(folders().camera("big.jpg"), folders().camera("IMG_0001.JPG"));
    driver.open();
    // Sizes the window keeps (it is never made smaller than its controls).
    const QSize windowSizes[] = { { 1000, 700 }, { 1024, 768 }, { 1280, 1024 }, { 1600, 1200 } };
    auto* image = find<ClickableImage>("Image6");
    for (const QSize& windowSize : windowSizes) {
        SCOPED_TRACE(
            QStringLiteral("%1x%2").arg(windowSize.width()).arg(windowSize.height()).toStdString());
        screen()->resize(windowSize);
        QCoreApplication::processEvents();
        // The pictures take their size when the individual is shown.
        driver.select(QStringLiteral("Ann"));
        driver.button(TrackerCommand::PlanOrChart)->click();
        QCoreApplication::processEvents();
        expectWithin(picture(0)->size(), 0.18, 0.2, mainPanel(), { 3000, 2000 });
        expectWithin(picture(1)->size(), 0.18, 0.2, mainPanel(), { 640, 480 });

        // 60 twips in from the panel's top and left, and as far from its
        // right and bottom.
        addEdit(0);
        const int left = Twips::toPixelsX(60, mainPanel());
        const int top = Twips::toPixelsY(60, mainPanel());
        const QRect covered = mainPanel()->rect().adjusted(left, top, -left, -top);
        EXPECT_EQ(browser()->parentWidget(), mainPanel());
        EXPECT_EQ(browser()->geometry(), covered);
        driver.button("SSCommand5")->click();

        QTest::mouseClick(picture(0), Qt::LeftButton);
        ASSERT_TRUE(enlarged()->isVisible());
        EXPECT_EQ(enlarged()->geometry(), covered);
        expectWithin(image->size(), 0.7, 0.7, mainPanel(), { 3000, 2000 });
        const QPoint centre = image->mapTo(mainPanel(), image->rect().center());
        EXPECT_NEAR(centre.x(), mainPanel()->width() / 2, 2);
        EXPECT_NEAR(centre.y(), mainPanel()->height() / 2, 2);
        driver.button("SSCommand7")->click();
    }
}

TEST_F(ProgressPicturesTest, ThePreviewEnlargedIsCaptionedWithTheListsName)
{
    // Names as long as the list holds them: the list shows all of it, the
    // name box the 25 characters it takes.
    const QString longName = QStringLiteral("Annabel Featherstonehaugh-Smith");
    storeAnn();
    driver.storeIndividual(longName);
    struct Case {
        const char* name;
        std::function<void()> show;
        QString caption;
    };
    const Case cases[] = {
        { "a short name",
            [this] {
                driver.select(QStringLiteral("Ann"));
                driver.button(TrackerCommand::PlanOrChart)->click();
            },
            QStringLiteral("Ann") },
        { "the first 26 characters of a long one",
            [&] {
                driver.select(longName);
                driver.button(TrackerCommand::PlanOrChart)->click();
            },
            longName.left(26) },
        // The hidden list still shows Ann: the new individual is the one
        // the caption names.
        { "create mode",
            [this] {
                driver.select(QStringLiteral("Ann"));
                driver.button(TrackerCommand::Create)->click();
                QTest::keyClicks(find<QLineEdit>("Text1_0"), QStringLiteral("Bea"));
            },
            QStringLiteral("Bea") },
    };
    driver.open();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.show();
        addEdit(1);
        if (!pathShown().endsWith(QStringLiteral("Camera/")))
            openFolder(QStringLiteral("Camera"));
        clickFile(QStringLiteral("small.jpg"));
        QTest::mouseClick(preview(), Qt::LeftButton);
        ASSERT_TRUE(enlarged()->isVisible());
        EXPECT_EQ(find<QLabel>("SSPanel13Caption")->text(), c.caption);
        driver.button("SSCommand7")->click();
        driver.button("SSCommand5")->click();
    }
}

TEST_F(ProgressPicturesTest, SelectingAnotherIndividualOrCreatingOneClearsThePictures)
{
    storeAnn(folders().camera("big.jpg"), folders().camera("small.jpg"));
    driver.storeIndividual(QStringLiteral("Bob"));
    struct Case {
        const char* name;
        std::function<void()> leave;
    };
    const Case cases[] = {
        { "select Bob", [this] { driver.select(QStringLiteral("Bob")); } },
        { "Create New File", [this] { driver.button(TrackerCommand::Create)->click(); } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        openAnnsPlan();
        ASSERT_TRUE(picture(0)->isVisible());
        addEdit(0);
        c.leave();
        EXPECT_FALSE(browser()->isVisible());
        for (int k : { 0, 1 }) {
            EXPECT_FALSE(screen()->pictureShown(k));
            EXPECT_EQ(screen()->pictureReference(k), "");
        }
        driver.screen.reset();
    }
}

TEST_F(ProgressPicturesTest, TheBrowsersCaptionsReadOnEveryPanelColour)
{
    storeAnn();
    openAnnsPlan();
    addEdit(0);
    // The trackers' teal, pure blue, a pale yellow, black and white: each
    // caption's text, as drawn, stands out 4.5 to 1 from the colour under it.
    const QColor colours[] { QColor(0, 128, 128), QColor(0, 0, 255), QColor(255, 255, 128),
        QColor(0, 0, 0), QColor(255, 255, 255) };
    for (const QColor& colour : colours) {
        QWidget* panel = browser()->parentWidget();
        QPalette palette = panel->palette();
        palette.setColor(QPalette::Window, colour);
        panel->setPalette(palette);
        QCoreApplication::processEvents();
        const QImage shown = screen()->grab().toImage();
        for (const char* name :
            { "SSPanel12Caption", "Label22_1", "Label22_0", "Label20", "Label22_3" }) {
            auto* caption = find<QLabel>(name);
            // Just outside the caption's corner: what it stands on.
            const QColor under = shown.pixelColor(caption->mapTo(screen(), QPoint(-2, -2)));
            const QColor text = caption->palette().color(QPalette::WindowText);
            EXPECT_GE(ReadableCaption::contrastRatio(text, under), 4.5)
                << name << " on " << colour.name().toStdString() << ": "
                << text.name().toStdString() << " over " << under.name().toStdString();
        }
    }
}

TEST_F(ProgressPicturesTest, AFolderTypedIntoThePathBoxIsListed)
{
    storeAnn();
    openAnnsPlan();
    addEdit(0);
    auto* box = find<QLineEdit>("Label24");
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, QDir::toNativeSeparators(folders().camera()));
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(pathShown(), QDir::toNativeSeparators(folders().camera()));
    EXPECT_EQ(files()->count(), 4); // big, small, IMG_0001 and notes
    EXPECT_TRUE(driver.messages.messages().isEmpty());

    // A file is no folder: the box goes back to the folder listed.
    box->selectAll();
    QTest::keyClicks(box, folders().camera("big.jpg"));
    QTest::keyClick(box, Qt::Key_Return);
    ASSERT_FALSE(driver.messages.messages().isEmpty());
    EXPECT_EQ(driver.messages.last().title, "Path");
    EXPECT_EQ(pathShown(), QDir::toNativeSeparators(folders().camera()));
}

} // namespace
