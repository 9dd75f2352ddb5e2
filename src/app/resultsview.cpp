#include "app/resultsview.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>

#include <algorithm>

#include "numeric/trust.h"

namespace tessaly::app {
namespace {

constexpr int kFullText = Qt::UserRole;  // a row's or label's full text, whatever it shows

QString qtext(const std::string& s) { return QString::fromStdString(s); }

// The label's own tool tip (the first one it had), then the bound's text.
void tipWith(QLabel* label, const QString& bound)
{
    QVariant base = label->property("baseToolTip");
    if (!base.isValid()) {
        base = label->toolTip();
        label->setProperty("baseToolTip", base);
    }
    label->setToolTip(bound.isEmpty() ? base.toString() : base.toString() + QLatin1Char('\n') + bound);
}

// Shows a label's full text or its trusted text; the full text stays kept.
void showText(QLabel* label, const std::optional<QString>& trusted, bool trustedOnly)
{
    QVariant full = label->property("fullText");
    // A command wrote the label since: that is its full text now.
    if (!full.isValid() || label->text() != label->property("shownText").toString())
        full = label->text();
    label->setProperty("fullText", full);
    const QString shown = trustedOnly && trusted ? *trusted : full.toString();
    label->setText(shown);
    label->setProperty("shownText", shown);
}

QString fullTextOf(QListWidgetItem* item)
{
    if (!item->data(kFullText).isValid())
        item->setData(kFullText, item->text());
    return item->data(kFullText).toString();
}

}  // namespace

void showTrust(const FrmFunctionsUi& ui, const session::Trust& trust, bool trustedOnly)
{
    using numeric::significantDigits;
    using numeric::trustedText;
    int certified = 0;
    for (int k = 0; k < ui.lstRoots->count(); ++k) {
        QListWidgetItem* item = ui.lstRoots->item(k);
        const QString full = fullTextOf(item);
        if (static_cast<std::size_t>(k) >= trust.roots.size()) {
            item->setText(full);
            continue;
        }
        const numeric::RootBound& b = trust.roots[static_cast<std::size_t>(k)];
        certified += b.certified;
        item->setToolTip(qtext(numeric::boundText(b)));
        const double w = b.certified ? std::max(b.x - b.lo, b.hi - b.x) : b.residual;
        item->setText(trustedOnly ? qtext(trustedText(b.x, significantDigits(b.x, b.certified ? w : INFINITY))) : full);
    }
    tipWith(ui.lblRoots,
            trust.roots.empty()
                ? QString()
                : QStringLiteral("%1 of %2 certified by a sign change").arg(certified).arg(trust.roots.size()));
    certified = 0;
    for (int k = 0; k < ui.lstExtrema->count(); ++k) {
        QListWidgetItem* item = ui.lstExtrema->item(k);
        const QString full = fullTextOf(item);
        if (static_cast<std::size_t>(k) >= trust.extrema.size()) {
            item->setText(full);
            continue;
        }
        const numeric::ExtremumBound& b = trust.extrema[static_cast<std::size_t>(k)];
        certified += b.certified;
        item->setToolTip(qtext(numeric::boundText(b)));
        const QString head = full.left(full.indexOf(QLatin1Char('[')) + 1);  // "MIN: [" or "MIN:["
        const QString trusted =
            head + qtext(trustedText(b.x, significantDigits(b.x, b.certified ? b.e : INFINITY))) + QStringLiteral(" , ")
            + qtext(trustedText(b.y, significantDigits(b.y, b.heightUncertainty))) + QLatin1Char(']');
        item->setText(trustedOnly ? trusted : full);
    }
    tipWith(ui.lblExtrema, trust.extrema.empty()
                               ? QString()
                               : QStringLiteral("%1 of %2 certified").arg(certified).arg(trust.extrema.size()));

    std::optional<QString> integral;
    if (trust.integral && trust.integral->converged)
        integral = qtext(trustedText(trust.integral->value,
                                     significantDigits(trust.integral->value, trust.integral->errorEstimate)));
    showText(ui.lblIntegral, integral, trustedOnly);
    tipWith(ui.lblIntegral, trust.integral && !ui.lblIntegral->text().isEmpty()
                                ? qtext(numeric::boundText(*trust.integral))
                                : QString());
    std::optional<QString> value;
    if (trust.value)
        value = qtext(trustedText(trust.value->value, trust.value->significantDigits));
    showText(ui.lblDerVal, value, trustedOnly);
    tipWith(ui.lblDerVal,
            trust.value && !ui.lblDerVal->text().isEmpty() ? qtext(numeric::boundText(*trust.value)) : QString());

    QStringList warnings;
    for (const numeric::Warning& w : trust.warnings())
        warnings << qtext(w.text);
    ui.lblWarnings->setText(warnings.join(QLatin1Char('\n')));
}

void clearResults(const FrmFunctionsUi& ui, bool withValue)
{
    for (QLabel* label : {ui.lblIntegral, ui.lblRoots, ui.lblExtrema})
        label->clear();
    if (withValue)
        ui.lblDerVal->clear();
    ui.lstRoots->clear();
    ui.lstExtrema->clear();
}

void showRestoredResults(const FrmFunctionsUi& ui, const session::RestoredResults& shown)
{
    clearResults(ui, true);
    auto show = [](QLabel* label, const std::optional<std::string>& text) {
        if (text)
            label->setText(qtext(*text));
    };
    show(ui.lblIntegral, shown.integralLabel);
    show(ui.lblRoots, shown.rootsLabel);
    show(ui.lblExtrema, shown.extremaLabel);
    for (const auto& row : shown.rootRows)
        ui.lstRoots->addItem(qtext(row));
    for (const auto& row : shown.extremaRows)
        ui.lstExtrema->addItem(qtext(row));
}

void showConstants(const FrmFunctionsUi& ui, const std::vector<std::string>& statements)
{
    ui.cboConstants->clear();
    for (const auto& statement : statements)
        ui.cboConstants->addItem(qtext(statement));
    ui.cboConstants->setCurrentIndex(-1);
}

}  // namespace tessaly::app
