// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the control charts read of the run at drawing time.

namespace kelvara {

class SubgroupRecord;
class TextTable;

class ChartDataSource {
public:
    virtual ~ChartDataSource() = default;
    virtual int subgroupSize() const = 0;      // n
    virtual int controlLimitCount() const = 0; // k
    /// The subgroups dropped since the last reset.
    virtual int subgroupCount() const = 0;
    /// The measurement table's texts as shown.
    virtual const TextTable &measurementTable() const = 0;
    virtual const SubgroupRecord &record() const = 0;
    /// The centre lines fixed from the first k subgroups.
    virtual float xBarBar() const = 0;
    virtual float rBar() const = 0;
    /// The subgroups dropped before the first with another funnel position or
    /// number of rows than subgroup 1; 0 while the process is unchanged.
    virtual int processChangedAfter() const = 0;
    /// True while a Run drops its subgroups.
    virtual bool dropping() const = 0;
};

} // namespace kelvara
