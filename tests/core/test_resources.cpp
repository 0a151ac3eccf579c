// Everything the program addresses by type and id is built in and has its expected form.
#include "TestSupport.h"
#include "core/Resources.h"

using namespace zorbel;

class TestResources : public QObject {
    Q_OBJECT
private slots:
    void templatesAndTheirCount()
    {
        if (res::LoadResString(res::id::TemplateCount) == QLatin1String("0"))
            QSKIP("built without the templates (ZORBEL_WITH_TEMPLATES=OFF)");
        QCOMPARE(res::LoadResString(res::id::TemplateCount), QStringLiteral("41"));
        QCOMPARE(res::LoadResString(res::id::Volume), QStringLiteral("III"));
        for (int n = 1; n <= 41; ++n)
            QCOMPARE(res::LoadResPicture(res::id::TemplateBase + n).size(), QSize(400, 1800));
        QVERIFY_THROWS_EXCEPTION(VbError, res::LoadResPicture(res::id::TemplateBase));
        QVERIFY_THROWS_EXCEPTION(VbError, res::LoadResPicture(res::id::TemplateBase + 42));
    }

    void windowPicturesHaveTheirSizes()
    {
        const std::pair<int, QSize> expected[] = {
            {res::id::DrawBackground, {1024, 768}}, {res::id::PlateGerman, {585, 67}}, {res::id::PlateEnglish, {585, 67}},
            {res::id::FlagBase + 0, {32, 20}},      {res::id::FlagBase + 6, {32, 20}}, {res::id::InfoBackground, {356, 329}},
            {res::id::PreviewBackground, {527, 471}}, {res::id::ColorBackground, {609, 239}},
            {res::id::Palette, {475, 132}},         {res::id::SliderThumb, {16, 16}},  {res::id::SliderRail, {18, 133}},
        };
        for (const auto& [id, size] : expected) {
            QCOMPARE(res::pictureSize(id), size);
            QVERIFY(!res::LoadResPicture(id, size / 2, 2.0).isNull());
        }
        QVERIFY(!res::LoadResCursor(res::id::CursorPencil).pixmap().isNull());
        QVERIFY(!res::LoadResCursor(res::id::CursorPicker).pixmap().isNull());
    }

    void dataResourcesByType()
    {
        QVERIFY(res::LoadResData(res::id::TextTable, QStringLiteral("CUSTOM")).startsWith("[lang]"));
        QVERIFY(res::LoadResData(101, QStringLiteral("wav")).startsWith("RIFF"));
        QVERIFY_THROWS_EXCEPTION(VbError, res::LoadResData(101, QStringLiteral("CUSTOM")));
        QVERIFY_THROWS_EXCEPTION(VbError, res::LoadResData(1000, QStringLiteral("WAV")));
    }
};

ZORBEL_TEST_MAIN(TestResources)
#include "test_resources.moc"
