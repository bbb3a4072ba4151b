#include "widgets/single_line_box.h"

#include <QLineEdit>
#include <QValidator>

#include <algorithm>
#include <limits>

namespace {

// Every change of a line edit's text passes its validator, which may shorten it.
class FirstLineValidator final : public QValidator
{
public:
    using QValidator::QValidator;

    State validate(QString &input, int &position) const override
    {
        const auto lineBreak = std::find_if(input.cbegin(), input.cend(), [](QChar c) {
            return c == u'\r' || c == u'\n';
        });
        const int kept = int(lineBreak - input.cbegin());
        input.truncate(kept);
        position = std::min(position, kept);
        return Acceptable;
    }
};

} // namespace

void makeSingleLineBox(QLineEdit *box)
{
    box->setValidator(new FirstLineValidator(box));
    box->setMaxLength(std::numeric_limits<int>::max());
}

void makeNumberBox(QLineEdit *box)
{
    // Hidden text is the hint on which fcitx5 (as it treats a password box) switches mozc and
    // anthy to direct input; the box still shows its text, which only the echo mode hides.
    box->setInputMethodHints(Qt::ImhHiddenText | Qt::ImhPreferLatin | Qt::ImhPreferNumbers
                             | Qt::ImhNoPredictiveText);
}
