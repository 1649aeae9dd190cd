// SPDX-License-Identifier: GPL-3.0-or-later
// The part of a pupil's wiring file that records a fault-finding exercise:
// each measurement, each mark and whether the faults were repaired. It is
// written after the positions and read back checked against the exercise,
// so that a record edited to name what is not there, or to claim a mark
// right that is not, is refused.
#pragma once

#include "circuit/circuit_file.h"

#include <QJsonObject>

namespace circuit {

// "measurements", "marks" and "repaired", each on its own lines after a
// comma, for a wiring file's top-level object.
QByteArray faultRecordJson(const Exercise& exercise, const FaultLog& log);

// Reads the record into `saved.log`. While the faults are not repaired the
// conductors must be the installation's, and the wiring gets the
// exercise's faults.
bool readFaultRecord(JsonReader& reader, const QJsonObject& file, SavedWiring& saved);

} // namespace circuit
