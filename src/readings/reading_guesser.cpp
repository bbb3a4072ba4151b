#include "readings/reading_guesser.h"

#include <QByteArrayList>
#include <QDir>

#include <iterator>

#include <mecab.h>

#include "platform/library_file_name.h"
#include "platform/program_folder.h"
#include "readings/reading_forms.h"

using namespace Qt::StringLiterals;

namespace {

// The IPA dictionary's features: part of speech, three subclasses, two of conjugation, the base
// form, the reading and the pronunciation.
constexpr int readingFeature = 7;

} // namespace

ReadingGuesser::ReadingGuesser() = default;

ReadingGuesser::~ReadingGuesser()
{
    release();
}

void ReadingGuesser::release()
{
    // The lattice and the tagger belong to the model and go before it.
    m_lattice.reset();
    m_tagger.reset();
    m_model.reset();
    m_tried = false;
}

bool ReadingGuesser::load()
{
    if (!m_tried) {
        m_tried = true;
        // The dictionary's own settings as the resource file: the system's may name a dictionary
        // in another encoding. A relative dictionary lies beside the program, as on Windows.
        const QString folder = besideProgram(QStringLiteral(VEDRIN_MECAB_DICTIONARY));
        QByteArray resource = libraryFileName(QDir(folder).filePath(u"dicrc"_s));
        QByteArray dictionary = libraryFileName(folder);
        // As words of a command line, so that a folder name may hold spaces.
        char program[] = "vedrin", resourceOption[] = "-r", dictionaryOption[] = "-d";
        char *arguments[] = {program, resourceOption, resource.data(), dictionaryOption,
                             dictionary.data()};
        m_model.reset(MeCab::createModel(int(std::size(arguments)), arguments));
        if (m_model) {
            m_tagger.reset(m_model->createTagger());
            m_lattice.reset(m_model->createLattice());
        }
    }
    return m_tagger && m_lattice;
}

QString ReadingGuesser::readPart(const QByteArray &part)
{
    m_lattice->set_sentence(part.constData(), std::size_t(part.size()));
    if (!m_tagger->parse(m_lattice.get()))
        return {};
    QString reading;
    bool afterFamilyName = false;
    for (const MeCab::Node *node = m_lattice->bos_node(); node; node = node->next) {
        if (node->stat == MECAB_BOS_NODE || node->stat == MECAB_EOS_NODE)
            continue;
        const QByteArrayList features = QByteArray(node->feature).split(',');
        const QByteArray surface(node->surface, node->length);
        if (afterFamilyName && !reading.endsWith(u' '))
            reading.append(u' ');
        reading += features.size() > readingFeature && features.at(readingFeature) != "*"
                       ? QString::fromUtf8(features.at(readingFeature))
                       : QString::fromUtf8(surface);
        afterFamilyName = features.size() > 3 && features.at(2) == "人名" && features.at(3) == "姓";
    }
    return reading;
}

QString ReadingGuesser::guess(QStringView name)
{
    const QString text = ReadingForms::normalised(name);
    if (text.isEmpty() || ReadingForms::isOwnReading(text) || !load())
        return {};
    QStringList parts;
    // A blank the user typed parts the name already.
    for (const QString &part : text.split(u' ', Qt::SkipEmptyParts))
        parts.append(readPart(part.toUtf8()).trimmed());
    return ReadingForms::hiragana(parts.join(u' ').simplified());
}
