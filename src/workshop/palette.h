// SPDX-License-Identifier: GPL-3.0-or-later
// The palette of insulation colours in the workshop's panel: one button a
// colour, the chosen one pressed in. A button is a swatch that assistive
// tools read by the colour's name ("marró").
#pragma once

#include "circuit/wiring.h"

#include <QWidget>

#include <vector>

class QAbstractButton;

namespace workshop {

class Palette : public QWidget {
    Q_OBJECT
  public:
    explicit Palette(QWidget* parent = nullptr);

    // Shows `colour` as the chosen one, without telling anyone.
    void showChoice(circuit::Insulation colour);
    const std::vector<QAbstractButton*>& buttons() const { return buttons_; }

  signals:
    void chosen(circuit::Insulation colour);

  private:
    std::vector<QAbstractButton*> buttons_;
};

} // namespace workshop
