#include "qtui/qt_dialogs.h"

#include "qtui/busy_indicator.h"
#include "qtui/qt_renderer.h"

#include "platform/data/data_source.h"
#include "platform/data/dataset.h"
#include "platform/data/field.h"
#include "platform/ui/form.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace dfe::qtui {
namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

struct StandardButton {
    int flag;
    int result;
    const char* caption;
    QMessageBox::ButtonRole role;
};

constexpr std::array<StandardButton, 7> kButtons{{
    {mb::Yes, mr::Yes, "Sim", QMessageBox::YesRole},
    {mb::No, mr::No, "Não", QMessageBox::NoRole},
    {mb::Ok, mr::Ok, "OK", QMessageBox::AcceptRole},
    {mb::Cancel, mr::Cancel, "Cancelar", QMessageBox::RejectRole},
    {mb::Abort, mr::Abort, "Abortar", QMessageBox::RejectRole},
    {mb::Retry, mr::Retry, "Repetir", QMessageBox::AcceptRole},
    {mb::Ignore, mr::Ignore, "Ignorar", QMessageBox::AcceptRole},
}};

QMessageBox::Icon IconOf(DialogType type) {
    switch (type) {
    case DialogType::Warning:
        return QMessageBox::Warning;
    case DialogType::Error:
        return QMessageBox::Critical;
    case DialogType::Confirmation:
        return QMessageBox::Question;
    case DialogType::Information:
        return QMessageBox::Information;
    case DialogType::Custom:
        return QMessageBox::NoIcon;
    }
    return QMessageBox::NoIcon;
}

QString TitleOf(DialogType type, const std::string& caption) {
    if (!caption.empty()) return Q(caption);
    switch (type) {
    case DialogType::Warning:
        return QStringLiteral("Aviso");
    case DialogType::Error:
        return QStringLiteral("Erro");
    case DialogType::Confirmation:
        return QStringLiteral("Confirmação");
    case DialogType::Information:
    case DialogType::Custom:
        break;
    }
    return QStringLiteral("Informação");
}

// The answer of a button that dismisses: what Esc or closing the box gives.
int CancelAnswer(int buttons) {
    if (buttons & mb::Cancel) return mr::Cancel;
    if (buttons & mb::No) return mr::No;
    if (buttons & mb::Abort) return mr::Abort;
    if (buttons & mb::Ok) return mr::Ok;
    return mr::Cancel;
}

} // namespace

QtDialogs::QtDialogs(QtRenderer& renderer) : renderer_(renderer), busy_(std::make_unique<BusyIndicator>()) {}

QtDialogs::~QtDialogs() = default;

QWidget* QtDialogs::DialogParent() const {
    QWidget* active = QApplication::activeWindow();
    if (active && busy_->Window() == active) active = nullptr;
    return active;
}

void QtDialogs::ShowError(const ErrorRequest& error) {
    if (renderer_.Quitting()) return;
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Erro"), Q(error.text), QMessageBox::NoButton,
                    DialogParent());
    box.setObjectName(QStringLiteral("errorBox"));
    if (!error.detail.empty()) box.setDetailedText(Q(error.detail));
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.exec();
}

int QtDialogs::ShowMessage(const MessageRequest& message) {
    int buttons = message.buttons == 0 ? mb::Ok : message.buttons;
    if (renderer_.Quitting()) return CancelAnswer(buttons);
    QMessageBox box(IconOf(message.type), TitleOf(message.type, message.caption), Q(message.text),
                    QMessageBox::NoButton, DialogParent());
    box.setObjectName(QStringLiteral("messageBox"));
    std::vector<std::pair<QAbstractButton*, int>> answers;
    for (const auto& b : kButtons) {
        if (!(buttons & b.flag)) continue;
        QPushButton* button = box.addButton(QString::fromUtf8(b.caption), b.role);
        answers.emplace_back(button, b.result);
        if (b.result == CancelAnswer(buttons)) box.setEscapeButton(button);
    }
    if (!answers.empty()) box.setDefaultButton(static_cast<QPushButton*>(answers.front().first));
    box.exec();
    for (const auto& [button, result] : answers)
        if (box.clickedButton() == button) return result;
    return CancelAnswer(buttons);
}

int QtDialogs::AskCustom(const CustomQuestion& question) {
    const int count = static_cast<int>(question.buttons.size());
    const int last = kFirstCustomAnswer + std::max(count - 1, 0);
    if (renderer_.Quitting()) return last;
    QMessageBox box(IconOf(question.type), TitleOf(question.type, question.caption), Q(question.text),
                    QMessageBox::NoButton, DialogParent());
    box.setObjectName(QStringLiteral("customQuestion"));
    std::vector<QPushButton*> buttons;
    for (const auto& label : question.buttons)
        buttons.push_back(box.addButton(Q(label), QMessageBox::ActionRole));
    if (buttons.empty()) buttons.push_back(box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole));
    box.setDefaultButton(buttons.front());
    box.setEscapeButton(buttons.back());
    box.exec();
    for (size_t i = 0; i < buttons.size(); ++i)
        if (box.clickedButton() == buttons[i]) return kFirstCustomAnswer + static_cast<int>(i);
    return last;
}

std::optional<std::vector<std::string>> QtDialogs::SelectMany(const MultiSelectRequest& request) {
    if (renderer_.Quitting()) return std::nullopt;
    QDialog dialog(DialogParent());
    dialog.setObjectName(QStringLiteral("multiSelect"));
    dialog.setWindowTitle(Q(request.title));
    auto* layout = new QVBoxLayout(&dialog);
    auto* list = new QListWidget(&dialog);
    for (const auto& item : request.items) {
        auto* row = new QListWidgetItem(Q(item.text), list);
        row->setFlags(row->flags() | Qt::ItemIsUserCheckable);
        const bool chosen = std::find(request.preselected.begin(), request.preselected.end(), item.code) !=
                            request.preselected.end();
        row->setCheckState(chosen ? Qt::Checked : Qt::Unchecked);
    }
    auto* buttons = new QDialogButtonBox(&dialog);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Cancelar"), QDialogButtonBox::RejectRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(list);
    layout->addWidget(buttons);
    dialog.resize(360, 320);
    if (dialog.exec() != QDialog::Accepted || renderer_.Quitting()) return std::nullopt;
    std::vector<std::string> codes;
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->checkState() == Qt::Checked)
            codes.push_back(request.items[static_cast<size_t>(i)].code);
    return codes;
}

bool QtDialogs::PickList(const PickListRequest& request) {
    const auto bar = request.title.find('|');
    const std::string title = request.title.substr(0, bar);
    const std::string emptyText = bar == std::string::npos ? std::string("Não há registros para escolher.")
                                                           : request.title.substr(bar + 1);
    DataSet* ds = request.source ? request.source->GetDataSet() : nullptr;
    if (!ds || !ds->Active() || ds->IsEmpty() || request.source->State() == DataSetState::Inactive) {
        ShowError(ErrorRequest{emptyText, {}, {}});
        return false;
    }
    if (renderer_.Quitting()) return false;
    std::vector<Field*> fields;
    for (const auto& name : request.fields)
        if (Field* field = ds->FindField(name)) fields.push_back(field);
    if (fields.empty())
        for (int i = 0; i < ds->FieldCount(); ++i)
            if (ds->FieldAt(i).Visible()) fields.push_back(&ds->FieldAt(i));

    QDialog dialog(DialogParent());
    dialog.setObjectName(QStringLiteral("pickList"));
    dialog.setWindowTitle(Q(title));
    auto* layout = new QVBoxLayout(&dialog);
    auto* table = new QTableWidget(ds->RecordCount(), static_cast<int>(fields.size()), &dialog);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->verticalHeader()->hide();
    for (size_t c = 0; c < fields.size(); ++c)
        table->setHorizontalHeaderItem(static_cast<int>(c),
                                       new QTableWidgetItem(Q(fields[c]->DisplayLabel())));
    for (int row = 1; row <= ds->RecordCount(); ++row)
        ds->ReadRecordAt(row, [&] {
            for (size_t c = 0; c < fields.size(); ++c)
                table->setItem(row - 1, static_cast<int>(c),
                               new QTableWidgetItem(Q(fields[c]->DisplayText())));
        });
    table->selectRow(std::max(ds->RecNo() - 1, 0));
    table->resizeColumnsToContents();
    auto* buttons = new QDialogButtonBox(&dialog);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Cancelar"), QDialogButtonBox::RejectRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(table, &QTableWidget::cellDoubleClicked, &dialog, &QDialog::accept);
    layout->addWidget(table);
    layout->addWidget(buttons);
    dialog.resize(480, 360);
    if (dialog.exec() != QDialog::Accepted || renderer_.Quitting() || table->currentRow() < 0) return false;
    ds->SetRecNo(table->currentRow() + 1);
    return true;
}

bool QtDialogs::Find(const FindRequest& request) {
    DataSet* ds = request.dataSet;
    if (!ds || !ds->Active() || renderer_.Quitting()) return false;
    QDialog dialog(DialogParent());
    dialog.setObjectName(QStringLiteral("findDialog"));
    dialog.setWindowTitle(request.title.empty() ? QStringLiteral("Localizar") : Q(request.title));
    auto* layout = new QFormLayout(&dialog);
    auto* field = new QComboBox(&dialog);
    field->setObjectName(QStringLiteral("field"));
    for (int i = 0; i < ds->FieldCount(); ++i)
        if (ds->FieldAt(i).Visible())
            field->addItem(Q(ds->FieldAt(i).DisplayLabel()), Q(ds->FieldAt(i).FieldName()));
    auto* value = new QLineEdit(&dialog);
    value->setObjectName(QStringLiteral("value"));
    auto* buttons = new QDialogButtonBox(&dialog);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Cancelar"), QDialogButtonBox::RejectRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addRow(QStringLiteral("Campo:"), field);
    layout->addRow(QStringLiteral("Valor:"), value);
    layout->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted || renderer_.Quitting() || field->currentIndex() < 0) return false;
    const std::string name = field->currentData().toString().toStdString();
    if (ds->Locate(name, Variant(value->text().toStdString()), LocateOptions{true, true})) return true;
    ShowMessage(MessageRequest{{}, "Registro não encontrado.", DialogType::Information, mb::Ok, {}});
    return false;
}

int QtDialogs::RunModal(Form& form) {
    return renderer_.RunModal(form);
}

void QtDialogs::ShowBusy(const std::string& text) {
    busy_->Show(Q(text), DialogParent());
}

void QtDialogs::HideBusy() {
    busy_->Hide();
}

int QtDialogs::BusyDepth() const {
    return busy_->Depth();
}

} // namespace dfe::qtui
