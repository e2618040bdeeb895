// The per-candidate work shared by every enumeration of the combination search:
// the two targets of an Ra pair and the evaluation and storing of one Ra, Rf,
// Rb candidate. Kept in one place so that every search computes each stored
// double with exactly the same operations in the same order.
#pragma once

#include <cmath>

#include "engine/combination_search.h"

// What is fixed while the Rb pairs of one Ra pair and one Rf pair are examined.
struct CandidateContext {
    const PartsList* parts;
    const SearchParams* params;
    TopologyMask topology; // Ra and Rf bits; the Rb bit is added per Rb kind
    int raFirst, raSecond, rfFirst, rfSecond;
    double ra, rf;
    double rfTarget, rbTarget;
};

// Resistance of a pair: 1 / (g1 + g2) in parallel, v1 + v2 in series.
inline double PairResistance(const PartsList& parts, bool series, int first, int second) {
    const PartEntry* e = parts.entries;
    if (series) return e[first].value + e[second].value;
    return 1 / (e[first].conductance + e[second].conductance);
}

// Pre-filter test: rejects only when the deviation is greater than the window,
// so a deviation equal to the window and a NaN deviation pass.
inline bool PassesPrefilter(double r, double target, double window) {
    return !(std::fabs(r / target - 1) > window);
}

// rfTarget and rbTarget of the Ra value in context.
inline void ComputeTargets(CandidateContext& c, const ShifterDesign& design, double vref) {
    c.rfTarget = design.rfPerRa * c.ra;
    c.rbTarget = c.ra / (vref / design.voff - 1);
}

// The doubles of one evaluated combination, before any acceptance decision.
struct CandidateValues {
    double rab; // Ra // Rb
    double voAtViMin, voAtViMax;
    double errAtViMinPct, errAtViMaxPct;
    double worstErr; // a fraction, comparable with the precision
};

// The one evaluation of a combination, shared by the search, the check of a
// given combination and the tolerance corners, so that all of them print the
// same doubles. Inline because the search calls it for every candidate.
inline CandidateValues EvaluateCandidate(double ra, double rb, double rf, const SearchParams& p) {
    CandidateValues v;
    double s = ra + rb;
    v.rab = (rb * ra) / s;
    double x = rf / v.rab;
    double offset = ((rb / s) * p.vref) * x;
    double g = x + 1;
    v.voAtViMin = g * p.viMin - offset;
    v.voAtViMax = g * p.viMax - offset;
    v.errAtViMinPct = ((v.voAtViMin - p.voMin) / p.voMax) * 100;
    v.errAtViMaxPct = (v.voAtViMax / p.voMax - 1) * 100;
    double magMin = std::fabs(v.errAtViMinPct);
    double magMax = std::fabs(v.errAtViMaxPct);
    // On a tie or a NaN the error at Vi(max) is the one taken.
    v.worstErr = magMin > magMax ? magMin / 100 : magMax / 100;
    return v;
}

// (Ra // Rb) // Rf: the resistance the amplifier's inverting input sees.
inline double RequiredOhms(double rab, double rf) {
    return (rab * rf) / (rab + rf);
}

// The evaluated doubles of an accepted combination into its record, with the
// resistance seen by the inverting input; every record is filled this one way.
inline void StoreValues(MatchRecord& r, const CandidateValues& v, double rf) {
    r.reqOhms = RequiredOhms(v.rab, rf);
    r.voAtViMin = v.voAtViMin;
    r.errAtViMinPct = v.errAtViMinPct;
    r.voAtViMax = v.voAtViMax;
    r.errAtViMaxPct = v.errAtViMaxPct;
    r.worstErr = v.worstErr;
}

// Evaluates the candidate (Rb pair m, o of the given value) and stores it in
// MatchTable when its worst error is within the precision. Returns false when
// the table has just become full and the search must stop.
bool ExamineCandidate(const CandidateContext& c, TopologyMask topology, double rb, int m, int o,
                      int dnmCount);
