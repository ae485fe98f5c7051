// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the control charts read from the main window at drawing time.

namespace kelvara {

class TextTable;

class ChartDataSource {
public:
    virtual ~ChartDataSource() = default;
    virtual int subgroupSize() const = 0;      // n
    virtual int controlLimitCount() const = 0; // k
    virtual const TextTable &measurementTable() const = 0;
    virtual float grandMean() const = 0;
    virtual float meanRange() const = 0;
    /// The subgroups dropped before the first with another funnel position or
    /// number of rows than subgroup 1; 0 while the process is unchanged.
    virtual int processChangedAfter() const = 0;
    /// True while a Run drops its subgroups.
    virtual bool dropping() const = 0;
};

} // namespace kelvara
