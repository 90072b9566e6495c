#include "output/column_groups.h"

#include <algorithm>

namespace tally {

std::optional<TColumnGroupLayout> LayOutColumnGroups(const TColumnGroupRequest& r) {
    const int G = r.GroupWidth;
    const int Ww = r.WrapWidth;
    const int W = r.PrintableWidth;
    if (G < 1) return TColumnGroupLayout{1, G, Ww};
    const int N = std::max(1, r.Count);
    const bool canShrink = Ww > r.SampleWidth;
    const int c = W / (G + r.Gap);  // groups at full width
    int d = c;                      // groups with the wrapped column narrowed
    int Wc = Ww;
    int Gc = G;
    if (canShrink) {
        const int narrowG = G - (Ww - r.SampleWidth);
        d = W / (narrowG + r.Gap);
        if (d >= 1) {
            const int extra = (W - d * (narrowG + r.Gap)) / d;
            Wc = r.SampleWidth + extra;
            Gc = narrowG + extra;
        }
    }
    if (d < 1) return std::nullopt;
    if (r.AutoCalc) {
        if (c >= 1) return TColumnGroupLayout{c, G, Ww};
        // Not one group at full width: d >= 1 means the wrapped column can shrink.
        const int wrap = std::max(r.SampleWidth, Ww - (G - W));
        return TColumnGroupLayout{1, G + (wrap - Ww), wrap};
    }
    if (d <= N) return TColumnGroupLayout{d, Gc, Wc};
    if (c >= N) return TColumnGroupLayout{N, G, Ww};
    const int extra = (W - N * (Gc + r.Gap)) / N;
    return TColumnGroupLayout{N, Gc + extra, Wc + extra};
}

}  // namespace tally
