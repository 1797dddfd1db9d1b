#pragma once

#include <QString>
#include <QStringList>

#include <deque>
#include <optional>
#include <vector>

class QWidget;

namespace kwemo {

// Every modal question, input box and file chooser goes through here, so tests can answer them
// without a person: they install a ScriptedPrompts for their run.
enum class Answer { Ok, Cancel, Yes, No };
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Icon { None, Information, Question, Warning, Critical };

struct FileChoice {
  QString title;
  QString startDir;
  QStringList filters;  // "Pictures (*.bmp *.gif)", ...
  int selectedFilter = 0;
};

class Prompts {
 public:
  virtual ~Prompts() = default;
  virtual Answer MsgBox(QWidget* parent, const QString& text, Buttons buttons, Icon icon,
                        const QString& title) = 0;
  // The text typed, or "" when cancelled (as the old input box reports it).
  virtual QString InputBox(QWidget* parent, const QString& prompt, const QString& title,
                           const QString& defaultText) = 0;
  // Full path of an existing file, or "" when cancelled.
  virtual QString GetOpenFileName(QWidget* parent, const FileChoice& choice) = 0;
};

// The dialogs a person sees.
class QtPrompts final : public Prompts {
 public:
  Answer MsgBox(QWidget* parent, const QString& text, Buttons buttons, Icon icon,
                const QString& title) override;
  QString InputBox(QWidget* parent, const QString& prompt, const QString& title,
                   const QString& defaultText) override;
  QString GetOpenFileName(QWidget* parent, const FileChoice& choice) override;
};

// Answers from a script, recording what was asked. Running out of answers fails loudly in tests
// (it answers Cancel / "" and counts the surprise) rather than hanging.
class ScriptedPrompts final : public Prompts {
 public:
  struct Asked {
    enum Kind { Message, Input, File } kind;
    QString text;   // message text, input prompt or chooser title
    QString title;  // caption
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::None;
    FileChoice choice;
  };

  void answer(Answer a) { answers_.push_back(a); }
  void type(const QString& text) { inputs_.push_back(text); }
  void choose(const QString& path) { files_.push_back(path); }

  const std::vector<Asked>& asked() const { return asked_; }
  int unexpected() const { return unexpected_; }
  void clear();

  Answer MsgBox(QWidget* parent, const QString& text, Buttons buttons, Icon icon,
                const QString& title) override;
  QString InputBox(QWidget* parent, const QString& prompt, const QString& title,
                   const QString& defaultText) override;
  QString GetOpenFileName(QWidget* parent, const FileChoice& choice) override;

 private:
  std::deque<Answer> answers_;
  std::deque<QString> inputs_;
  std::deque<QString> files_;
  std::vector<Asked> asked_;
  int unexpected_ = 0;
};

// The prompts in force: QtPrompts unless a test installed others.
Prompts& prompts();
// Installs p (not owned) for the rest of the run, or the real dialogs again with nullptr.
void setPrompts(Prompts* p);

}  // namespace kwemo
