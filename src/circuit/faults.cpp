// SPDX-License-Identifier: GPL-3.0-or-later
#include "circuit/faults.h"

#include "circuit/exercise.h"
#include "circuit/solver.h"

#include <Eigen/Dense>

#include <cmath>

namespace circuit {

double testerVolts(const Solution& s, int a, int b, bool live) {
    const double difference = s.volts[size_t(a)] - s.volts[size_t(b)];
    if (!live || s.shortCircuit || std::isnan(difference))
        return 0;
    return std::abs(difference);
}

QString voltsText(double volts) {
    return QStringLiteral("%1 V").arg(qRound64(std::abs(volts)));
}

// The loads between the nodes that ideal joins make form a network of
// equal resistances. The resistance between two nodes is that of the
// network's Laplacian with one of them grounded: a current of 1 A fed in
// at the other raises it to as many volts as the network has ohms.
std::optional<double> continuityOhms(const Exercise& e, const Wiring& w,
                                     const std::vector<int>& devices, int a, int b) {
    const std::vector<int> group = joinedGroups(e, w, devices);
    const int from = group[size_t(a)], to = group[size_t(b)];
    if (from == to)
        return 0.0;
    std::vector<std::pair<int, int>> edges;
    for (const LoadBetween& load : workingLoads(e, w))
        if (group[size_t(load.a)] != group[size_t(load.b)])
            edges.emplace_back(group[size_t(load.a)], group[size_t(load.b)]);
    // The nodes the loads lead to from `from`, numbered in turn.
    std::vector<int> index(e.terminals.size(), -1);
    index[size_t(from)] = 0;
    int count = 1;
    for (bool grew = true; grew;) {
        grew = false;
        for (const auto& [p, q] : edges)
            if ((index[size_t(p)] < 0) != (index[size_t(q)] < 0)) {
                index[size_t(index[size_t(p)] < 0 ? p : q)] = count++;
                grew = true;
            }
    }
    if (index[size_t(to)] < 0)
        return std::nullopt;
    // Every reached node but `to`, which is grounded.
    const int ground = index[size_t(to)];
    const auto row = [&](int node) {
        const int i = index[size_t(node)];
        return i < ground ? i : i - 1;
    };
    Eigen::MatrixXd laplacian = Eigen::MatrixXd::Zero(count - 1, count - 1);
    const double g = 1 / LampOhms;
    for (const auto& [p, q] : edges) {
        if (index[size_t(p)] < 0)
            continue;
        const bool pFree = p != to, qFree = q != to;
        if (pFree)
            laplacian(row(p), row(p)) += g;
        if (qFree)
            laplacian(row(q), row(q)) += g;
        if (pFree && qFree) {
            laplacian(row(p), row(q)) -= g;
            laplacian(row(q), row(p)) -= g;
        }
    }
    Eigen::VectorXd current = Eigen::VectorXd::Zero(count - 1);
    current(row(from)) = 1;
    const Eigen::VectorXd volts = laplacian.ldlt().solve(current);
    return volts(row(from));
}

QString continuityText(std::optional<double> ohms) {
    if (!ohms)
        return QStringLiteral("Circuit obert");
    const qint64 whole = qRound64(*ohms);
    return whole == 0 ? QStringLiteral("Continuïtat") : QStringLiteral("%1 Ω").arg(whole);
}

QString continuityRefusal() {
    return QStringLiteral("Desconnecta el magnetotèrmic abans de mesurar la continuïtat");
}

QString reading(const Exercise& e, const Wiring& w, const std::vector<int>& devices, Tool tool,
                int red, int black, bool breakerOn) {
    if (tool == Tool::Voltage)
        return voltsText(testerVolts(solve(e, w, devices), red, black, breakerOn));
    if (breakerOn)
        return continuityRefusal();
    return continuityText(continuityOhms(e, w, devices, red, black));
}

int faultMarked(const Exercise& e, const FaultMark& mark) {
    for (int f = 0; f < int(e.faults.size()); ++f) {
        const Fault& fault = e.faults[size_t(f)];
        const bool found = [&] {
            switch (mark.target) {
            case FaultMark::Target::Conductor:
                return fault.kind == FaultKind::OpenConductor && fault.conductor == mark.index;
            case FaultMark::Target::Lamp:
                return fault.kind == FaultKind::BlownLamp && fault.component == mark.index;
            case FaultMark::Target::Terminal:
                return fault.kind == FaultKind::OpenContact && fault.terminal == mark.index;
            }
            return false;
        }();
        if (found)
            return f;
    }
    return -1;
}

std::vector<bool> FaultLog::found(const Exercise& e) const {
    std::vector<bool> found(e.faults.size(), false);
    for (const FaultMark& mark : marks)
        if (const int f = faultMarked(e, mark); f >= 0)
            found[size_t(f)] = true;
    return found;
}

} // namespace circuit
