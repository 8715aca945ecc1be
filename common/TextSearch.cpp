#include "common/TextSearch.h"

#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace morvane {

namespace {

std::size_t PlainFind(const char* pText, std::size_t nText, const char* pFind, std::size_t nFind) {
    const void* p = memmem(pText, nText, pFind, nFind);
    return p ? static_cast<std::size_t>(static_cast<const char*>(p) - pText)
             : std::string_view::npos;
}

#if defined(__x86_64__)
// 32 candidate positions at a time: only those whose first and last byte match are compared.
__attribute__((target("avx2"))) std::size_t Avx2Find(const char* pText, std::size_t nText,
                                                     const char* pFind, std::size_t nFind) {
    const __m256i first = _mm256_set1_epi8(pFind[0]);
    const __m256i last = _mm256_set1_epi8(pFind[nFind - 1]);
    const std::size_t nCandidates = nText - nFind + 1;
    std::size_t i = 0;
    for (; i + 32 <= nCandidates; i += 32) {
        const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(pText + i));
        const __m256i b =
            _mm256_loadu_si256(reinterpret_cast<const __m256i*>(pText + i + nFind - 1));
        auto mask = static_cast<unsigned>(_mm256_movemask_epi8(
            _mm256_and_si256(_mm256_cmpeq_epi8(a, first), _mm256_cmpeq_epi8(b, last))));
        while (mask != 0) {
            const auto bit = static_cast<std::size_t>(__builtin_ctz(mask));
            if (std::memcmp(pText + i + bit, pFind, nFind) == 0) {
                return i + bit;
            }
            mask &= mask - 1;
        }
    }
    const std::size_t nRest = PlainFind(pText + i, nText - i, pFind, nFind);
    return nRest == std::string_view::npos ? nRest : i + nRest;
}

const bool g_bHasAvx2 = __builtin_cpu_supports("avx2");
#endif

} // namespace

std::size_t FindText(std::string_view sText, std::string_view sFind, std::size_t nFrom) {
    if (sFind.empty() || nFrom > sText.size() || sText.size() - nFrom < sFind.size()) {
        return std::string_view::npos;
    }
    const char* pText = sText.data() + nFrom;
    const std::size_t nText = sText.size() - nFrom;
    std::size_t nPos = std::string_view::npos;
#if defined(__x86_64__)
    if (g_bHasAvx2 && sFind.size() > 1) {
        nPos = Avx2Find(pText, nText, sFind.data(), sFind.size());
    } else
#endif
    {
        nPos = PlainFind(pText, nText, sFind.data(), sFind.size());
    }
    return nPos == std::string_view::npos ? nPos : nPos + nFrom;
}

} // namespace morvane
