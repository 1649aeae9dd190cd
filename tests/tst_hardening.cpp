// SPDX-License-Identifier: GPL-3.0-or-later
// The release executable carries its hardening: read from its ELF headers,
// it is position-independent, its relocations are bound at start and then
// read-only, and it calls the stack protector's check. A small program built
// with and without the same options shows what they change, glibc's checked
// calls included.
#include <QFile>
#include <QSet>
#include <QTest>

#include <elf.h>

#include <array>
#include <cstring>
#include <optional>

namespace {

// What the headers of one executable say about its hardening.
struct Hardening {
    bool positionIndependent = false; // ELF type DYN
    bool interpreter = false;         // PT_INTERP: a program, not a library
    bool relro = false;               // PT_GNU_RELRO
    bool bindNow = false;             // DT_BIND_NOW, DF_BIND_NOW or DF_1_NOW
    QSet<QByteArray> imports;         // undefined dynamic symbols

    bool importsFortified() const {
        for (const QByteArray& name : imports)
            if (name.endsWith("_chk") && name != "__stack_chk_fail")
                return true;
        return false;
    }
};

// The file's bytes, read only through bounds-checked views.
class Bytes {
  public:
    explicit Bytes(QByteArray data) : data_(std::move(data)) {}

    template <typename T> std::optional<T> at(quint64 offset) const {
        if (offset > quint64(data_.size()) || sizeof(T) > quint64(data_.size()) - offset)
            return std::nullopt;
        T value;
        std::memcpy(&value, data_.constData() + offset, sizeof(T));
        return value;
    }

    // A NUL-terminated string starting at `offset`, which must end in the file.
    std::optional<QByteArray> string(quint64 offset) const {
        if (offset >= quint64(data_.size()))
            return std::nullopt;
        const char* start = data_.constData() + offset;
        const void* end = std::memchr(start, 0, data_.size() - offset);
        if (!end)
            return std::nullopt;
        return QByteArray(start, static_cast<const char*>(end) - start);
    }

  private:
    QByteArray data_;
};

template <typename Ehdr, typename Phdr, typename Shdr, typename Dyn, typename Sym>
std::optional<Hardening> readHeaders(const Bytes& file) {
    const auto header = file.at<Ehdr>(0);
    if (!header)
        return std::nullopt;
    Hardening result;
    result.positionIndependent = header->e_type == ET_DYN;

    for (quint64 i = 0; i < header->e_phnum; ++i) {
        const auto segment = file.at<Phdr>(header->e_phoff + i * header->e_phentsize);
        if (!segment)
            return std::nullopt;
        result.interpreter |= segment->p_type == PT_INTERP;
        result.relro |= segment->p_type == PT_GNU_RELRO;
        if (segment->p_type != PT_DYNAMIC)
            continue;
        for (quint64 at = segment->p_offset; at < segment->p_offset + segment->p_filesz;
             at += sizeof(Dyn)) {
            const auto entry = file.at<Dyn>(at);
            if (!entry || entry->d_tag == DT_NULL)
                break;
            result.bindNow |= entry->d_tag == DT_BIND_NOW ||
                              (entry->d_tag == DT_FLAGS && (entry->d_un.d_val & DF_BIND_NOW)) ||
                              (entry->d_tag == DT_FLAGS_1 && (entry->d_un.d_val & DF_1_NOW));
        }
    }

    // The imported names: undefined symbols of the dynamic symbol table,
    // named in the string table its section header links to.
    for (quint64 i = 0; i < header->e_shnum; ++i) {
        const auto table = file.at<Shdr>(header->e_shoff + i * header->e_shentsize);
        if (!table)
            return std::nullopt;
        if (table->sh_type != SHT_DYNSYM || table->sh_entsize != sizeof(Sym))
            continue;
        const auto strings = file.at<Shdr>(header->e_shoff + table->sh_link * header->e_shentsize);
        if (!strings)
            return std::nullopt;
        for (quint64 at = table->sh_offset; at + sizeof(Sym) <= table->sh_offset + table->sh_size;
             at += sizeof(Sym)) {
            const auto symbol = file.at<Sym>(at);
            const auto name =
                symbol ? file.string(strings->sh_offset + symbol->st_name) : std::nullopt;
            if (!name)
                return std::nullopt;
            if (symbol->st_shndx == SHN_UNDEF && !name->isEmpty())
                result.imports.insert(*name);
        }
    }
    return result;
}

std::optional<Hardening> readElf(QByteArray data) {
    const Bytes bytes(std::move(data));
    const auto ident = bytes.at<std::array<unsigned char, EI_NIDENT>>(0);
    if (!ident || std::memcmp(ident->data(), ELFMAG, SELFMAG) != 0)
        return std::nullopt;
    if ((*ident)[EI_CLASS] == ELFCLASS64)
        return readHeaders<Elf64_Ehdr, Elf64_Phdr, Elf64_Shdr, Elf64_Dyn, Elf64_Sym>(bytes);
    if ((*ident)[EI_CLASS] == ELFCLASS32)
        return readHeaders<Elf32_Ehdr, Elf32_Phdr, Elf32_Shdr, Elf32_Dyn, Elf32_Sym>(bytes);
    return std::nullopt;
}

std::optional<Hardening> readExecutable(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return readElf(file.readAll());
}

} // namespace

class HardeningTest : public QObject {
    Q_OBJECT

    static Hardening read(const char* path) {
        const auto result = readExecutable(path);
        if (!result)
            qFatal("cannot read the headers of %s", path);
        return *result;
    }

  private slots:
    // The program imports no checked glibc call, and honestly so: its only
    // calls glibc could check are memcpy and memmove inside the containers,
    // on heap storage whose size the compiler cannot see. The small program
    // built with the same options shows that they do fortify sized buffers.
    void programIsHardened() {
        const Hardening program = read(AMPERA_PROGRAM);
        QVERIFY(program.positionIndependent);
        QVERIFY(program.interpreter);
        QVERIFY(program.relro);
        QVERIFY(program.bindNow);
        QVERIFY(program.imports.contains("__stack_chk_fail"));
    }

    void releaseOptionsGuardALocalBuffer() {
        const Hardening hardened = read(HARDENED_BUFFER_PROGRAM);
        QVERIFY(hardened.positionIndependent);
        QVERIFY(hardened.relro);
        QVERIFY(hardened.bindNow);
        QVERIFY(hardened.imports.contains("__stack_chk_fail"));
        QVERIFY(hardened.imports.contains("__snprintf_chk"));
        QVERIFY(hardened.importsFortified());
    }

    void unprotectedBuildIsToldApart() {
        const Hardening plain = read(PLAIN_BUFFER_PROGRAM);
        QVERIFY(plain.interpreter);
        QVERIFY(plain.imports.contains("snprintf"));
        QVERIFY(!plain.positionIndependent);
        QVERIFY(!plain.relro);
        QVERIFY(!plain.bindNow);
        QVERIFY(!plain.imports.contains("__stack_chk_fail"));
        QVERIFY(!plain.importsFortified());
    }

    // A cut-off executable or a file of another kind is refused, not read
    // past its end.
    void malformedFilesAreRefused() {
        QFile file(AMPERA_PROGRAM);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray program = file.readAll();
        QVERIFY(readElf(program));
        QVERIFY(!readElf(program.first(4096)));
        QVERIFY(!readElf(program.first(10)));
        QVERIFY(!readElf("#!/bin/sh\n"));
    }
};

QTEST_MAIN(HardeningTest)
#include "tst_hardening.moc"
