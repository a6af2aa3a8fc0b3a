#include "shell/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <mutex>

namespace {

// Reads the catalogue only when Qt first asks for one of its texts (a file dialog, a standard
// button): a description that never shows one starts without reading or holding it.
class OnFirstUseTranslator : public QTranslator {
public:
    using QTranslator::QTranslator;

    QString translate(const char* context, const char* sourceText, const char* disambiguation, int n) const override
    {
        // Qt may ask from a worker thread too (the file dialog's folder reader).
        std::call_once(m_once, [this] {
            m_loaded = m_catalogue.load(QLocale(QLocale::Russian, QLocale::Russia), QStringLiteral("qtbase"), QStringLiteral("_"),
                             QLibraryInfo::path(QLibraryInfo::TranslationsPath));
        });
        // Without Qt's translations installed its texts stay English.
        return m_loaded ? m_catalogue.translate(context, sourceText, disambiguation, n) : QString();
    }
    bool isEmpty() const override { return false; }

private:
    mutable std::once_flag m_once;
    mutable QTranslator m_catalogue;
    mutable bool m_loaded = false;
};

} // namespace

void loadQtTranslations()
{
    QCoreApplication::installTranslator(new OnFirstUseTranslator(QCoreApplication::instance()));
}
