#include "platform/qt/printing/pdf_page_setup.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QRadioButton>

namespace {

QDoubleSpinBox* MarginBox(const char* name, double value, QWidget* parent) {
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setRange(0.0, 100.0);
    box->setDecimals(1);
    box->setSuffix(QStringLiteral(" mm"));
    box->setValue(value);
    return box;
}

} // namespace

bool PdfPageSetup(QPrinter& printer, QWidget* parent) {
    const QPageLayout layout = printer.pageLayout();
    QDialog dialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    dialog.setObjectName(QStringLiteral("PageSetup"));
    dialog.setWindowTitle(QStringLiteral("Page Setup"));

    auto* paper = new QComboBox(&dialog);
    paper->setObjectName(QStringLiteral("PaperSize"));
    for (QPageSize::PageSizeId id :
         {QPageSize::A3, QPageSize::A4, QPageSize::A5, QPageSize::B5, QPageSize::Letter,
          QPageSize::Legal, QPageSize::Executive, QPageSize::Tabloid}) {
        paper->addItem(QPageSize::name(id), int(id));
        if (layout.pageSize().id() == id)
            paper->setCurrentIndex(paper->count() - 1);
    }
    auto* portrait = new QRadioButton(QStringLiteral("&Portrait"), &dialog);
    portrait->setObjectName(QStringLiteral("Portrait"));
    auto* landscape = new QRadioButton(QStringLiteral("&Landscape"), &dialog);
    landscape->setObjectName(QStringLiteral("Landscape"));
    (layout.orientation() == QPageLayout::Landscape ? landscape : portrait)->setChecked(true);
    auto* orientation = new QHBoxLayout;
    orientation->addWidget(portrait);
    orientation->addWidget(landscape);

    const QMarginsF margins = layout.margins(QPageLayout::Millimeter);
    auto* left = MarginBox("LeftMargin", margins.left(), &dialog);
    auto* top = MarginBox("TopMargin", margins.top(), &dialog);
    auto* right = MarginBox("RightMargin", margins.right(), &dialog);
    auto* bottom = MarginBox("BottomMargin", margins.bottom(), &dialog);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);

    auto* form = new QFormLayout(&dialog);
    form->addRow(QStringLiteral("Paper &size:"), paper);
    form->addRow(QStringLiteral("Orientation:"), orientation);
    form->addRow(QStringLiteral("Left margin:"), left);
    form->addRow(QStringLiteral("Top margin:"), top);
    form->addRow(QStringLiteral("Right margin:"), right);
    form->addRow(QStringLiteral("Bottom margin:"), bottom);
    form->addRow(buttons);
    paper->setFocus();

    if (dialog.exec() != QDialog::Accepted)
        return false;
    const auto id = QPageSize::PageSizeId(paper->currentData().toInt());
    QPageLayout chosen = layout;
    chosen.setUnits(QPageLayout::Millimeter);
    chosen.setPageSize(QPageSize(id));
    chosen.setOrientation(landscape->isChecked() ? QPageLayout::Landscape : QPageLayout::Portrait);
    // Margins that leave no room on the paper are not taken.
    chosen.setMargins(QMarginsF(left->value(), top->value(), right->value(), bottom->value()));
    return printer.setPageLayout(chosen);
}
