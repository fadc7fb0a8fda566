#include "tests/lz/reference_encoder.h"

#include <vector>

namespace lz_reference {
namespace {

constexpr int N = 4096;
constexpr int F = 18;
constexpr int NIL = N;

class Encoder {
 public:
  Encoder(const std::vector<std::uint8_t>& input, bool splay) : input_(input), splay_(splay) {}

  ReferenceResult Run() {
    for (int i = 0; i <= N; ++i)
      dad[i] = NIL;
    for (int i = N + 1; i <= N + 256; ++i)
      rson[i] = NIL;
    std::vector<std::uint8_t> code{0};
    int mask = 1;
    int s = 0;
    int r = N - F;
    int len = 0;
    int c;
    while (len < F && (c = Next()) >= 0)
      text[r + len++] = static_cast<std::uint8_t>(c);
    if (len == 0) return {out, splays};
    for (int i = 1; i <= F; ++i)
      Insert(r - i);
    Insert(r);
    do {
      if (matchLength > len) matchLength = len;
      if (matchLength <= 2) {
        matchLength = 1;
        code[0] |= static_cast<std::uint8_t>(mask);
        code.push_back(text[r]);
      } else {
        code.push_back(static_cast<std::uint8_t>(matchPosition));
        code.push_back(static_cast<std::uint8_t>(((matchPosition >> 8) << 4) | (matchLength - 3)));
      }
      mask = (mask << 1) & 0xFF;
      if (mask == 0) {
        out.insert(out.end(), code.begin(), code.end());
        code.assign(1, 0);
        mask = 1;
      }
      const int last = matchLength;
      int i = 0;
      while (i < last && (c = Next()) >= 0) {
        Delete(s);
        text[s] = static_cast<std::uint8_t>(c);
        if (s < F - 1) text[s + N] = static_cast<std::uint8_t>(c);
        s = (s + 1) % N;
        r = (r + 1) % N;
        Insert(r);
        ++i;
      }
      while (i < last) {
        ++i;
        Delete(s);
        s = (s + 1) % N;
        r = (r + 1) % N;
        --len;
        if (len != 0) Insert(r);
      }
    } while (len > 0);
    out.insert(out.end(), code.begin(), code.end());
    return {out, splays};
  }

 private:
  int Next() { return pos_ < input_.size() ? input_[pos_++] : -1; }

  void Insert(int r) {
    int cmp = 1;
    int p = N + 1 + text[r];
    rson[r] = lson[r] = NIL;
    matchLength = 0;
    int visits = 0;
    for (;;) {
      ++visits;
      if (cmp >= 0) {
        if (rson[p] != NIL) {
          p = rson[p];
        } else {
          rson[p] = r;
          dad[r] = p;
          break;
        }
      } else {
        if (lson[p] != NIL) {
          p = lson[p];
        } else {
          lson[p] = r;
          dad[r] = p;
          break;
        }
      }
      int i = 1;
      for (; i < F; ++i) {
        cmp = text[r + i] - text[p + i];
        if (cmp != 0) break;
      }
      if (i > matchLength) {
        matchPosition = p;
        matchLength = i;
        if (i >= F) {
          dad[r] = dad[p];
          lson[r] = lson[p];
          rson[r] = rson[p];
          dad[lson[p]] = r;
          dad[rson[p]] = r;
          if (rson[dad[p]] == p) {
            rson[dad[p]] = r;
          } else {
            lson[dad[p]] = r;
          }
          dad[p] = NIL;
          break;
        }
      }
    }
    if (splay_ && visits >= 30) {
      ++splays;
      Splay(r);
    }
  }

  void Delete(int p) {
    if (dad[p] == NIL) return;
    int q;
    if (rson[p] == NIL) {
      q = lson[p];
    } else if (lson[p] == NIL) {
      q = rson[p];
    } else {
      q = lson[p];
      if (rson[q] != NIL) {
        do {
          q = rson[q];
        } while (rson[q] != NIL);
        rson[dad[q]] = lson[q];
        dad[lson[q]] = dad[q];
        lson[q] = lson[p];
        dad[lson[p]] = q;
      }
      rson[q] = rson[p];
      dad[rson[p]] = q;
    }
    dad[q] = dad[p];
    if (rson[dad[p]] == p) {
      rson[dad[p]] = q;
    } else {
      lson[dad[p]] = q;
    }
    dad[p] = NIL;
  }

  // Rotations spelled out case by case.
  void Splay(int x) {
    for (;;) {
      const int p = dad[x];
      if (p > N) return;
      const int g = dad[p];
      if (g > N) {
        if (lson[p] == x) {
          lson[p] = rson[x];
          rson[x] = p;
          dad[lson[p]] = p;
        } else {
          rson[p] = lson[x];
          lson[x] = p;
          dad[rson[p]] = p;
        }
        rson[g] = x;
        dad[p] = x;
        dad[x] = g;
        return;
      }
      const int gg = dad[g];
      if (lson[p] == x && lson[g] == p) {
        lson[g] = rson[p];
        dad[lson[g]] = g;
        lson[p] = rson[x];
        dad[lson[p]] = p;
        rson[p] = g;
        rson[x] = p;
        dad[g] = p;
        dad[p] = x;
      } else if (rson[p] == x && rson[g] == p) {
        rson[g] = lson[p];
        dad[rson[g]] = g;
        rson[p] = lson[x];
        dad[rson[p]] = p;
        lson[p] = g;
        lson[x] = p;
        dad[g] = p;
        dad[p] = x;
      } else if (lson[p] == x) {  // p is g's right child
        rson[g] = lson[x];
        dad[rson[g]] = g;
        lson[p] = rson[x];
        dad[lson[p]] = p;
        lson[x] = g;
        rson[x] = p;
        dad[p] = x;
        dad[g] = x;
      } else {  // x is p's right child, p is g's left child
        lson[g] = rson[x];
        dad[lson[g]] = g;
        rson[p] = lson[x];
        dad[rson[p]] = p;
        rson[x] = g;
        lson[x] = p;
        dad[p] = x;
        dad[g] = x;
      }
      if (gg > N) {
        rson[gg] = x;
      } else if (lson[gg] == g) {
        lson[gg] = x;
      } else {
        rson[gg] = x;
      }
      dad[x] = gg;
    }
  }

  const std::vector<std::uint8_t>& input_;
  std::size_t pos_ = 0;
  bool splay_;
  std::vector<std::uint8_t> text = std::vector<std::uint8_t>(N + F - 1, 0);
  std::vector<int> lson = std::vector<int>(N + 1, 0);
  std::vector<int> rson = std::vector<int>(N + 257, 0);
  std::vector<int> dad = std::vector<int>(N + 1, 0);
  std::vector<std::uint8_t> out;
  int matchPosition = 0;
  int matchLength = 0;
  int splays = 0;
};

}  // namespace

ReferenceResult ReferenceEncode(const std::vector<std::uint8_t>& input, bool splay) {
  return Encoder(input, splay).Run();
}

}  // namespace lz_reference
