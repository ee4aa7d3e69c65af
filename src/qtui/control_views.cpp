#include "qtui/control_views.h"

#include "qtui/form_view.h"
#include "qtui/grid_view.h"
#include "qtui/qt_palette.h"

#include "platform/ui/controls.h"
#include "platform/ui/db_grid.h"
#include "platform/ui/property_names.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace dfe::qtui {

QString CaptionText(const std::string& caption) {
    QString out;
    const QString in = QString::fromStdString(caption);
    for (qsizetype i = 0; i < in.size(); ++i) {
        if (in[i] == u'&') {
            if (i + 1 < in.size() && in[i + 1] == u'&') {
                out += u'&';
                ++i;
            }
            continue;
        }
        out += in[i];
    }
    return out;
}

namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

void SetBase(QWidget& widget, Color color) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Base, ToQColor(color));
    widget.setPalette(palette);
}

// Widgets that would change their text on their own (drops, middle-click paste, input methods) are kept
// from it: only the toolkit writes the text.
void KeepTextForModel(QWidget& widget) {
    widget.setAcceptDrops(false);
    widget.setAttribute(Qt::WA_InputMethodEnabled, false);
    widget.setContextMenuPolicy(Qt::PreventContextMenu);
}

// ---- containers

// A panel: a raised frame with its caption in the middle.
class PanelWidget : public QFrame {
public:
    QString caption;

protected:
    void paintEvent(QPaintEvent* event) override {
        QFrame::paintEvent(event);
        if (caption.isEmpty()) return;
        QPainter painter(this);
        painter.setPen(
            palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
        painter.drawText(rect(), Qt::AlignCenter, caption);
    }
};

class PanelView : public ControlView {
public:
    PanelView(FormView& form, Control& control) : ControlView(form, control), panel_(new PanelWidget) {
        panel_->setFrameStyle(QFrame::Panel | QFrame::Raised);
        SetWidget(panel_);
    }
    QWidget* ClientArea() const override { return Widget(); }
    void Sync(std::string_view property) override {
        ControlView::Sync(property);
        if (property.empty() || property == prop::kCaption) {
            panel_->caption = CaptionText(control_.Caption());
            panel_->update();
        }
    }

private:
    PanelWidget* panel_;
};

class GroupBoxView : public ControlView {
public:
    GroupBoxView(FormView& form, Control& control) : ControlView(form, control), box_(new QGroupBox) {
        SetWidget(box_);
    }
    QWidget* ClientArea() const override { return Widget(); }
    void Sync(std::string_view property) override {
        ControlView::Sync(property);
        if (property.empty() || property == prop::kCaption) box_->setTitle(CaptionText(control_.Caption()));
    }

private:
    QGroupBox* box_;
};

class ScrollBoxView : public ControlView {
public:
    ScrollBoxView(FormView& form, ScrollBox& control)
        : ControlView(form, control), box_(control), area_(new QScrollArea) {
        inner_ = new QWidget;
        area_->setWidget(inner_);
        area_->setWidgetResizable(false);
        SetWidget(area_);
    }
    QWidget* ClientArea() const override { return inner_; }
    void Sync(std::string_view property) override {
        ControlView::Sync(property);
        if (property.empty() || property == prop::kChildren) FitContents();
        if (property.empty() || property == prop::kVertScrollPosition)
            area_->verticalScrollBar()->setValue(box_.VertScrollPosition());
    }

private:
    // The inner area reaches the farthest child, so that the scroll bars cover them all.
    void FitContents() {
        int right = 0, bottom = 0;
        for (Control* child : box_.Children()) {
            right = std::max(right, child->Left() + child->Width());
            bottom = std::max(bottom, child->Top() + child->Height());
        }
        inner_->resize(std::max(right, box_.Width() - 4), std::max(bottom, box_.Height() - 4));
    }

    ScrollBox& box_;
    QScrollArea* area_;
    QWidget* inner_;
};

class PageControlView : public ControlView {
public:
    PageControlView(FormView& form, PageControl& control) : ControlView(form, control), pages_(control) {
        tabs_ = new QTabWidget;
        tabs_->tabBar()->setFocusPolicy(Qt::NoFocus);
        SetWidget(tabs_);
    }
    void Sync(std::string_view property) override {
        ControlView::Sync(property);
        if (property.empty() || property == prop::kActivePage || property == prop::kChildren)
            ShowActivePage();
    }
    void SyncPage(ControlView& page) {
        const int index = tabs_->indexOf(page.Widget());
        if (index < 0) return;
        auto* sheet = dynamic_cast<TabSheet*>(&page.Model());
        tabs_->setTabText(index, CaptionText(page.Model().Caption()));
        tabs_->setTabVisible(index, page.Model().Visible() && (!sheet || sheet->TabVisible()));
        tabs_->setTabEnabled(index, page.Model().Enabled());
        ShowActivePage();
    }
    bool MousePress(QWidget* target, QMouseEvent& event) override {
        auto* bar = tabs_->tabBar();
        if (target != bar) return ControlView::MousePress(target, event);
        if (event.button() != Qt::LeftButton) return true;
        const int index = bar->tabAt(event.position().toPoint());
        if (index < 0) return true;
        ControlView* page = form_.ViewAt(tabs_->widget(index));
        auto* sheet = page ? dynamic_cast<TabSheet*>(&page->Model()) : nullptr;
        if (!sheet || Dispatch([this, sheet] { pages_.SelectPage(*sheet); })) ShowActivePage();
        return true; // the model chose the page; Qt only shows it
    }

protected:
    void AdoptChild(ControlView& child) override {
        if (!child.Widget()) return;
        tabs_->addTab(child.Widget(), CaptionText(child.Model().Caption()));
        SyncPage(child);
    }
    void ReleaseChild(ControlView& child) override {
        const int index = tabs_->indexOf(child.Widget());
        if (index >= 0) tabs_->removeTab(index);
    }

private:
    void ShowActivePage() {
        TabSheet* active = pages_.ActivePage();
        ControlView* view = active ? form_.ViewOf(*active) : nullptr;
        if (view && view->Widget()) tabs_->setCurrentWidget(view->Widget());
    }

    PageControl& pages_;
    QTabWidget* tabs_;
};

class TabSheetView : public ControlView {
public:
    TabSheetView(FormView& form, Control& control) : ControlView(form, control) { SetWidget(new QWidget); }
    QWidget* ClientArea() const override { return Widget(); }
    void Sync(std::string_view property) override {
        ControlView::Sync(property);
        if (property.empty() || property == prop::kCaption || property == prop::kTabVisible ||
            property == prop::kVisible || property == prop::kEnabled)
            if (auto* owner = dynamic_cast<PageControlView*>(parent_)) owner->SyncPage(*this);
    }

protected:
    bool PlacedByParent() const override { return dynamic_cast<PageControlView*>(parent_) != nullptr; }
};

class NotebookView : public ControlView {
public:
    NotebookView(FormView& form, Notebook& control) : ControlView(form, control), book_(control) {
        stack_ = new QStackedWidget;
        SetWidget(stack_);
    }
    void Sync(std::string_view property) override {
        ControlView::Sync(property);
        if (property.empty() || property == prop::kPageIndex || property == prop::kChildren) ShowPage();
    }

protected:
    void AdoptChild(ControlView& child) override {
        if (child.Widget()) stack_->addWidget(child.Widget());
    }
    void ReleaseChild(ControlView& child) override { stack_->removeWidget(child.Widget()); }

private:
    void ShowPage() {
        auto pages = book_.Pages();
        const int index = book_.PageIndex();
        if (index < 0 || index >= static_cast<int>(pages.size())) return;
        if (ControlView* view = form_.ViewOf(*pages[static_cast<size_t>(index)]))
            if (view->Widget()) stack_->setCurrentWidget(view->Widget());
    }

    Notebook& book_;
    QStackedWidget* stack_;
};

class NotebookPageView : public ControlView {
public:
    NotebookPageView(FormView& form, Control& control) : ControlView(form, control) {
        SetWidget(new QWidget);
    }
    QWidget* ClientArea() const override { return Widget(); }

protected:
    bool PlacedByParent() const override { return dynamic_cast<NotebookView*>(parent_) != nullptr; }
};

class RadioGroupView : public ControlView {
public:
    RadioGroupView(FormView& form, RadioGroup& control) : ControlView(form, control), group_(control) {
        box_ = new QGroupBox;
        auto* layout = new QVBoxLayout(box_);
        // Designed groups are tight: the items share the height under the caption.
        layout->setContentsMargins(6, 2, 6, 2);
        layout->setSpacing(0);
        SetWidget(box_);
    }
    QWidget* ClientArea() const override { return Widget(); }
    void Sync(std::string_view property) override {
        ControlView::Sync(property);
        if (property.empty() || property == prop::kCaption) box_->setTitle(CaptionText(control_.Caption()));
        if (property.empty() || property == prop::kItems) Rebuild();
        if (property.empty() || property == prop::kItems || property == prop::kItemIndex) ShowChoice();
    }

private:
    void Rebuild() {
        for (auto* button : buttons_)
            delete button;
        buttons_.clear();
        const auto& items = group_.Items();
        for (size_t i = 0; i < items.size(); ++i) {
            auto* button = new QRadioButton(CaptionText(items[i]), box_);
            button->setAutoExclusive(false);
            button->setFocusPolicy(Qt::NoFocus);
            box_->layout()->addWidget(button);
            form_.Map(button, this);
            const int index = static_cast<int>(i);
            QObject::connect(button, &QRadioButton::clicked, button, [this, index] {
                if (Dispatch([this, index] {
                        if (group_.CanFocus() && !group_.Focused()) group_.SetFocus();
                        group_.ChooseAsClerk(index);
                    }))
                    ShowChoice();
            });
            buttons_.push_back(button);
        }
    }
    void ShowChoice() {
        for (size_t i = 0; i < buttons_.size(); ++i)
            buttons_[i]->setChecked(static_cast<int>(i) == group_.ItemIndex());
    }

    RadioGroup& group_;
    QGroupBox* box_;
    std::vector<QRadioButton*> buttons_;
};

// ---- plain controls

class LabelView : public ControlView {
public:
    LabelView(FormView& form, Control& control) : ControlView(form, control), label_(new QLabel) {
        label_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        SetWidget(label_);
    }
    void Sync(std::string_view property) override {
        ControlView::Sync(property);
        if (property.empty() || property == prop::kCaption) label_->setText(CaptionText(control_.Caption()));
    }

private:
    QLabel* label_;
};

class EditView : public ControlView {
public:
    EditView(FormView& form, Edit& control) : ControlView(form, control), edit_(control) {
        line_ = new QLineEdit;
        line_->setDragEnabled(false);
        KeepTextForModel(*line_);
        // Whatever reached the widget without the toolkit is put back.
        QObject::connect(line_, &QLineEdit::textEdited, line_, [this] { ShowText(); });
        SetWidget(line_);
    }
    void Sync(std::string_view property) override {
        ControlView::Sync(property);
        if (property.empty() || property == prop::kText || property == prop::kEditMask ||
            property == prop::kCharCase)
            ShowText();
        if (property.empty() || property == prop::kReadOnly) line_->setReadOnly(edit_.ReadOnly());
        if (property.empty() || property == prop::kPasswordChar)
            line_->setEchoMode(edit_.PasswordChar() ? QLineEdit::Password : QLineEdit::Normal);
        if (property.empty() || property == prop::kMaxLength)
            line_->setMaxLength(edit_.MaxLength() > 0 ? edit_.MaxLength() : 32767);
    }
    void Refresh() override { ShowText(); }

protected:
    void ApplyColor() override {
        ControlView::ApplyColor();
        SetBase(*line_, edit_.GetColor());
    }

private:
    void ShowText() {
        auto* masked = dynamic_cast<MaskEdit*>(&edit_);
        const QString text = Q(masked ? masked->EditText() : edit_.Text());
        if (line_->text() != text) line_->setText(text);
        if (edit_.AllSelected())
            line_->selectAll();
        else if (line_->hasSelectedText() || line_->cursorPosition() != text.size())
            line_->setCursorPosition(static_cast<int>(text.size()));
    }

    Edit& edit_;
    QLineEdit* line_;
};

class MemoView : public ControlView {
public:
    MemoView(FormView& form, Edit& control) : ControlView(form, control), memo_(control) {
        text_ = new QPlainTextEdit;
        text_->setReadOnly(true); // keys reach the toolkit, never the widget
        text_->setTextInteractionFlags(Qt::TextSelectableByMouse);
        KeepTextForModel(*text_);
        SetWidget(text_);
    }
    void Sync(std::string_view property) override {
        ControlView::Sync(property);
        if (property.empty() || property == prop::kText) ShowText();
    }
    void Refresh() override { ShowText(); }

protected:
    void ApplyColor() override {
        ControlView::ApplyColor();
        SetBase(*text_, memo_.GetColor());
        SetBase(*text_->viewport(), memo_.GetColor());
    }

private:
    void ShowText() {
        const QString text = Q(memo_.Text());
        if (text_->toPlainText() != text) {
            text_->setPlainText(text);
            text_->moveCursor(QTextCursor::End);
        }
    }

    Edit& memo_;
    QPlainTextEdit* text_;
};

// Buttons, check boxes and radio buttons: a click goes to the toolkit, which decides the state shown.
template <class ButtonWidget> class ClickView : public ControlView {
public:
    ClickView(FormView& form, Control& control, ButtonWidget* widget)
        : ControlView(form, control), button_(widget) {
        SetWidget(widget);
        QObject::connect(widget, &QAbstractButton::clicked, widget, [this] {
            if (Dispatch([this] { control_.ParentForm()->App().Click(control_); })) ShowState();
        });
    }
    void Sync(std::string_view property) override {
        ControlView::Sync(property);
        if (property.empty() || property == prop::kCaption) button_->setText(CaptionText(control_.Caption()));
        if (property.empty() || property == prop::kCaption || property == prop::kWidth) FitCaption();
        if (property.empty() || property == prop::kChecked || property == prop::kDown) ShowState();
    }

protected:
    void ShowState() {
        if (auto* box = dynamic_cast<CheckBox*>(&control_)) button_->setChecked(box->Checked());
        if (auto* radio = dynamic_cast<RadioButton*>(&control_)) button_->setChecked(radio->Checked());
        if (auto* speed = dynamic_cast<SpeedButton*>(&control_)) {
            button_->setCheckable(speed->GroupIndex() > 0);
            button_->setChecked(speed->Down());
        }
    }

    ButtonWidget* button_;

private:
    // The button bar was designed for captions under small glyphs: a caption wider than its speed button is
    // drawn in a smaller font rather than cut.
    void FitCaption() {
        if (!dynamic_cast<SpeedButton*>(&control_)) return;
        QFont font = button_->parentWidget() ? button_->parentWidget()->font() : button_->font();
        const int room = control_.Width() - 4;
        for (qreal size = font.pointSizeF(); size > kSmallestCaptionPoints; size -= 0.5) {
            font.setPointSizeF(size);
            if (QFontMetrics(font).horizontalAdvance(button_->text()) <= room) break;
        }
        button_->setFont(font);
    }
    static constexpr qreal kSmallestCaptionPoints = 6.0;
};

QRadioButton* NewRadio() {
    auto* radio = new QRadioButton;
    radio->setAutoExclusive(false); // the toolkit unchecks the siblings
    return radio;
}

QToolButton* NewSpeedButton() {
    auto* button = new QToolButton;
    button->setAutoRaise(true);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return button;
}

class ComboBoxView : public ControlView {
public:
    ComboBoxView(FormView& form, ComboBox& control) : ControlView(form, control), combo_(control) {
        box_ = new QComboBox;
        box_->setInsertPolicy(QComboBox::NoInsert);
        QObject::connect(box_, &QComboBox::activated, box_, [this](int index) {
            if (Dispatch([this, index] {
                    if (combo_.CanFocus() && !combo_.Focused()) combo_.SetFocus();
                    combo_.ChooseAsClerk(index);
                }))
                ShowChoice();
        });
        SetWidget(box_);
    }
    void Sync(std::string_view property) override {
        ControlView::Sync(property);
        if (property.empty() || property == prop::kItems) {
            QSignalBlocker block(box_);
            box_->clear();
            for (const auto& item : combo_.Items())
                box_->addItem(Q(item));
        }
        if (property.empty() || property == prop::kItems || property == prop::kItemIndex ||
            property == prop::kText)
            ShowChoice();
        if (property == prop::kDroppedDown) {
            if (combo_.DroppedDown())
                box_->showPopup();
            else
                box_->hidePopup();
        }
    }
    void Refresh() override { ShowChoice(); }

protected:
    void ApplyColor() override {
        ControlView::ApplyColor();
        SetBase(*box_, combo_.GetColor());
    }

private:
    void ShowChoice() {
        QSignalBlocker block(box_);
        const bool editable = combo_.Style() == ComboStyle::DropDown;
        if (box_->isEditable() != editable) {
            box_->setEditable(editable);
            if (auto* line = box_->lineEdit()) {
                line->setFocusPolicy(Qt::NoFocus);
                KeepTextForModel(*line);
                form_.Map(line, this);
            }
        }
        box_->setCurrentIndex(combo_.ItemIndex());
        if (editable && box_->currentText() != Q(combo_.Text())) box_->setEditText(Q(combo_.Text()));
    }

    ComboBox& combo_;
    QComboBox* box_;
};

// A control kind this renderer does not know: a frame with its name, so that the form still shows it.
class PlaceholderView : public ControlView {
public:
    PlaceholderView(FormView& form, Control& control) : ControlView(form, control), panel_(new PanelWidget) {
        panel_->setFrameStyle(QFrame::Box | QFrame::Plain);
        SetWidget(panel_);
    }
    QWidget* ClientArea() const override { return Widget(); }
    void Sync(std::string_view property) override {
        ControlView::Sync(property);
        if (property.empty() || property == prop::kCaption)
            panel_->caption =
                control_.Caption().empty() ? Q(control_.Name()) : CaptionText(control_.Caption());
    }

private:
    PanelWidget* panel_;
};

} // namespace

FormClientView::FormClientView(FormView& form, Control& control, QWidget* client)
    : ControlView(form, control) {
    SetWidget(client);
}

void FormClientView::Sync(std::string_view property) {
    ControlView::Sync(property);
    form_.Sync(property);
}

std::unique_ptr<ControlView> CreateControlView(FormView& form, Control& control) {
    if (auto* c = dynamic_cast<DBGrid*>(&control)) return CreateGridView(form, *c);
    if (auto* c = dynamic_cast<Memo*>(&control)) return std::make_unique<MemoView>(form, *c);
    if (auto* c = dynamic_cast<Edit*>(&control)) return std::make_unique<EditView>(form, *c);
    if (auto* c = dynamic_cast<ComboBox*>(&control)) return std::make_unique<ComboBoxView>(form, *c);
    if (dynamic_cast<Button*>(&control))
        return std::make_unique<ClickView<QPushButton>>(form, control, new QPushButton);
    if (dynamic_cast<SpeedButton*>(&control))
        return std::make_unique<ClickView<QToolButton>>(form, control, NewSpeedButton());
    if (dynamic_cast<CheckBox*>(&control))
        return std::make_unique<ClickView<QCheckBox>>(form, control, new QCheckBox);
    if (dynamic_cast<RadioButton*>(&control))
        return std::make_unique<ClickView<QRadioButton>>(form, control, NewRadio());
    if (dynamic_cast<Label*>(&control)) return std::make_unique<LabelView>(form, control);
    if (auto* c = dynamic_cast<RadioGroup*>(&control)) return std::make_unique<RadioGroupView>(form, *c);
    if (auto* c = dynamic_cast<PageControl*>(&control)) return std::make_unique<PageControlView>(form, *c);
    if (dynamic_cast<TabSheet*>(&control)) return std::make_unique<TabSheetView>(form, control);
    if (auto* c = dynamic_cast<Notebook*>(&control)) return std::make_unique<NotebookView>(form, *c);
    if (dynamic_cast<NotebookPage*>(&control)) return std::make_unique<NotebookPageView>(form, control);
    if (dynamic_cast<GroupBox*>(&control)) return std::make_unique<GroupBoxView>(form, control);
    if (auto* c = dynamic_cast<ScrollBox*>(&control)) return std::make_unique<ScrollBoxView>(form, *c);
    if (dynamic_cast<Panel*>(&control)) return std::make_unique<PanelView>(form, control);
    return std::make_unique<PlaceholderView>(form, control);
}

} // namespace dfe::qtui
