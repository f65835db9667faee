#include "collection/Sha1.h"

#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#define CARTLING_SHA_X86 1
#include <cpuid.h>
#include <immintrin.h>
#include <utility>
#endif

namespace {

#ifdef CARTLING_SHA_X86

bool processorHasSha()
{
    unsigned a = 0, b = 0, c = 0, d = 0;
    if (!__get_cpuid(1, &a, &b, &c, &d))
        return false;
    const bool ssse3 = c & (1u << 9);
    const bool sse41 = c & (1u << 19);
    if (!__get_cpuid_count(7, 0, &a, &b, &c, &d))
        return false;
    return ssse3 && sse41 && (b & (1u << 29));
}

// One group of four rounds. Group k uses message word vector k (held in msg[k % 4]) and prepares the words
// of later groups in the slots that are free by then.
template <int K>
__attribute__((target("sha,sse4.1,ssse3"))) inline void fourRounds(__m128i &abcd, __m128i (&e)[2], __m128i (&msg)[4])
{
    __m128i &current = e[K % 2];
    if constexpr (K == 0)
        current = _mm_add_epi32(current, msg[0]);
    else
        current = _mm_sha1nexte_epu32(current, msg[K % 4]);
    e[(K + 1) % 2] = abcd;
    if constexpr (K >= 3 && K <= 18)
        msg[(K + 1) % 4] = _mm_sha1msg2_epu32(msg[(K + 1) % 4], msg[K % 4]);
    abcd = _mm_sha1rnds4_epu32(abcd, current, K / 5);
    if constexpr (K >= 1 && K <= 16)
        msg[(K + 3) % 4] = _mm_sha1msg1_epu32(msg[(K + 3) % 4], msg[K % 4]);
    if constexpr (K >= 2 && K <= 17)
        msg[(K + 2) % 4] = _mm_xor_si128(msg[(K + 2) % 4], msg[K % 4]);
}

template <int... K>
__attribute__((target("sha,sse4.1,ssse3"))) inline void allRounds(__m128i &abcd, __m128i (&e)[2], __m128i (&msg)[4],
                                                                  std::integer_sequence<int, K...>)
{
    (fourRounds<K>(abcd, e, msg), ...);
}

__attribute__((target("sha,sse4.1,ssse3"))) void shaBlocks(std::uint32_t *state, const unsigned char *data,
                                                           size_t blocks)
{
    const __m128i byteOrder = _mm_set_epi64x(0x0001020304050607LL, 0x08090a0b0c0d0e0fLL);
    __m128i abcd = _mm_shuffle_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i *>(state)), 0x1B);
    __m128i e0 = _mm_set_epi32(int(state[4]), 0, 0, 0);
    for (; blocks > 0; --blocks, data += 64) {
        const __m128i savedAbcd = abcd;
        const __m128i savedE = e0;
        __m128i msg[4];
        for (int i = 0; i < 4; ++i)
            msg[i] = _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i *>(data + 16 * i)), byteOrder);
        __m128i e[2] = {e0, _mm_setzero_si128()};
        allRounds(abcd, e, msg, std::make_integer_sequence<int, 20>());
        // Twenty groups end with e[0] holding the value the next block starts from.
        e0 = _mm_sha1nexte_epu32(e[0], savedE);
        abcd = _mm_add_epi32(abcd, savedAbcd);
    }
    _mm_storeu_si128(reinterpret_cast<__m128i *>(state), _mm_shuffle_epi32(abcd, 0x1B));
    state[4] = std::uint32_t(_mm_extract_epi32(e0, 3));
}

#endif

} // namespace

bool Sha1::accelerated()
{
#ifdef CARTLING_SHA_X86
    static const bool has = processorHasSha();
    return has;
#else
    return false;
#endif
}

Sha1::Sha1() : m_accelerated(accelerated()), m_state{0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476, 0xC3D2E1F0} {}

void Sha1::addBlocks(const unsigned char *data, size_t blocks)
{
#ifdef CARTLING_SHA_X86
    shaBlocks(m_state.data(), data, blocks);
#else
    Q_UNUSED(data);
    Q_UNUSED(blocks);
#endif
}

void Sha1::addData(const char *data, qsizetype size)
{
    if (!m_accelerated) {
        m_portable.addData(QByteArrayView(data, size));
        return;
    }
    m_length += std::uint64_t(size);
    const auto *bytes = reinterpret_cast<const unsigned char *>(data);
    if (m_pendingSize > 0) {
        const qsizetype take = std::min<qsizetype>(size, 64 - m_pendingSize);
        std::memcpy(m_pending.data() + m_pendingSize, bytes, size_t(take));
        m_pendingSize += take;
        bytes += take;
        size -= take;
        if (m_pendingSize < 64)
            return;
        addBlocks(m_pending.data(), 1);
        m_pendingSize = 0;
    }
    const size_t blocks = size_t(size) / 64;
    if (blocks > 0)
        addBlocks(bytes, blocks);
    const qsizetype rest = size - qsizetype(blocks * 64);
    std::memcpy(m_pending.data(), bytes + blocks * 64, size_t(rest));
    m_pendingSize = rest;
}

QByteArray Sha1::result()
{
    if (!m_accelerated)
        return m_portable.result();
    // The padding: 0x80, zeros up to 56 bytes of the last block, then the length in bits, big-endian.
    const std::uint64_t bits = m_length * 8;
    unsigned char tail[128] = {0x80};
    const qsizetype padding = (m_pendingSize < 56 ? 56 : 120) - m_pendingSize;
    for (int i = 0; i < 8; ++i)
        tail[padding + i] = static_cast<unsigned char>(bits >> (56 - 8 * i));
    addData(reinterpret_cast<const char *>(tail), padding + 8);
    QByteArray digest(20, Qt::Uninitialized);
    for (int i = 0; i < 5; ++i) {
        for (int j = 0; j < 4; ++j)
            digest[4 * i + j] = char(m_state[size_t(i)] >> (24 - 8 * j));
    }
    return digest;
}
