#pragma once

#include <QColor>

#include "storage/iq_table.h"

class QTableWidget;

namespace vemo {

// Colours of the IQ list: the frequency column stands out, grey on white elsewhere.
inline const QColor kIqFrequencyText{255, 255, 255};
inline const QColor kIqFrequencyBackground{160, 160, 160};
inline const QColor kIqCorrectionText{92, 92, 92};
inline const QColor kIqCorrectionBackground{255, 255, 255};

// The IQ list (control 1075): an invisible first column, then "Freq.", "dAmp" and "dPhi",
// grid lines and whole rows selected. Cells are edited by CInPlaceEdit, not the list's own
// editor.
void SetUpIqTableView(QTableWidget& list);

// One list row per table row, in table order: frequency, dAmp and dPhi as decimal text.
void ShowIqTable(QTableWidget& list, const IqTable& table);

}  // namespace vemo
