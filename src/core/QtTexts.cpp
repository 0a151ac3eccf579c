#include "QtTexts.h"
#include "Allgemein.h"
#include <QCoreApplication>
#include <QTranslator>
#include <array>
#include <memory>

namespace zorbel::qttexts {

namespace {
// Qt's catalog for each language base (index x 1000). Swedish ships only as an older catalog and
// Norwegian only as Nynorsk, whose button texts are those of Bokmål.
constexpr std::array<const char*, 7> kCatalogs = {
    "qtbase_de", "qtbase_en", "qt_sv", "qtbase_it", "qtbase_es", "qtbase_nn", "qtbase_fr",
};

class Catalog : public QTranslator {
public:
    QString translate(const char* context, const char* source, const char* disambiguation, int n) const override
    {
        QString text = QTranslator::translate(context, source, disambiguation, n);
        // The older catalog files the standard buttons under the button box.
        if (text.isEmpty() && qstrcmp(context, "QPlatformTheme") == 0)
            text = QTranslator::translate("QDialogButtonBox", source, disambiguation, n);
        return text;
    }
};

// Hands each lookup to the catalog of the current language; all are loaded up front, so a
// lookup only reads.
class FollowLanguage : public QTranslator {
public:
    FollowLanguage()
    {
        for (size_t i = 0; i < kCatalogs.size(); ++i)
            if (!m_catalogs[i].load(QStringLiteral(":/i18n/%1.qm").arg(QLatin1String(kCatalogs[i]))))
                qWarning("Qt catalog %s is missing", kCatalogs[i]);
    }
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char* disambiguation, int n) const override
    {
        const int base = Allgemein::Sprache;
        if (base < 0 || base % 1000 != 0 || base / 1000 >= int(kCatalogs.size()))
            return {};
        return m_catalogs[size_t(base / 1000)].translate(context, source, disambiguation, n);
    }

private:
    std::array<Catalog, kCatalogs.size()> m_catalogs;
};
} // namespace

void install()
{
    static std::unique_ptr<FollowLanguage> translator;
    if (translator)
        return;
    translator = std::make_unique<FollowLanguage>();
    QCoreApplication::installTranslator(translator.get());
}

} // namespace zorbel::qttexts
