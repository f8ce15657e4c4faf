#pragma once
// The two one-byte counters behind the closing reminders: evaluations saved
// since the last backup, and how full the results table is.
//
// Both stop at 255 instead of wrapping: a counter that wrapped would silence
// the backup reminder after 256 saves, and a fill level taken modulo 256 would
// call a table of 300 rows empty.

#include <algorithm>
#include <cstdint>

class ContadoresBanco {
public:
    static constexpr int LimiteBancoCheio = 100;
    static constexpr int LimiteAvisoBackup = 10;

    explicit ContadoresBanco(long long contadorBackup = 0) : m_backup(Limita(contadorBackup)) {}

    std::uint8_t ContadorBackup() const { return m_backup; }
    std::uint8_t NivelBanco() const { return m_nivel; }

    // After an evaluation is saved, with the row count of the results table.
    void AvaliacaoSalva(long long linhasResultados)
    {
        m_backup = Limita(m_backup + 1);
        m_nivel = Limita(linhasResultados);
    }
    void BackupFeito() { m_backup = 0; }

    bool BancoCheio() const { return m_nivel >= LimiteBancoCheio; }
    bool LembraBackup() const { return m_backup >= LimiteAvisoBackup; }

private:
    static std::uint8_t Limita(long long valor)
    {
        return static_cast<std::uint8_t>(std::clamp<long long>(valor, 0, 255));
    }

    std::uint8_t m_backup;
    std::uint8_t m_nivel = 0;
};
