#pragma once

#include <QString>
#include <QStringView>

#include <memory>

namespace MeCab {
class Lattice;
class Model;
class Tagger;
} // namespace MeCab

// Guesses how a name written in kanji is read, with MeCab and its IPA dictionary. A guess is
// only ever shown as one: the user confirms or corrects it.
class ReadingGuesser final
{
public:
    ReadingGuesser();
    ~ReadingGuesser();
    ReadingGuesser(const ReadingGuesser &) = delete;
    ReadingGuesser &operator=(const ReadingGuesser &) = delete;

    // The reading in hiragana, family and given name apart by one space where the dictionary
    // knows them; empty when there is nothing to guess or the dictionary is not installed.
    QString guess(QStringView name);
    // Gives the dictionary's memory back; the next guess loads it again.
    void release();

private:
    bool load();
    QString readPart(const QByteArray &part);

    std::unique_ptr<MeCab::Model> m_model;
    std::unique_ptr<MeCab::Tagger> m_tagger;
    std::unique_ptr<MeCab::Lattice> m_lattice;
    bool m_tried = false;
};
