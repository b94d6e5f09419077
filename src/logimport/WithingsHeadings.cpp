#include "WithingsHeadings.h"

namespace {

bool names(const QStringList& headings, const QStringList& candidates)
{
    for (const QString& heading : headings)
        for (const QString& candidate : candidates)
            if (heading.trimmed() == candidate)
                return true;
    return false;
}

} // namespace

const QList<WithingsHeadings::Language>& WithingsHeadings::languages()
{
    // Where the app has used two words for the pulse over its versions,
    // both are listed.
    static const QList<Language> table = {
        { "en", { "Date" }, { "Weight (kg)" }, { "Weight (lb)" }, { "Heart rate" }, { "Systolic" },
            { "Diastolic" } },
        { "de", { "Datum" }, { "Gewicht (kg)" }, { "Gewicht (lb)" }, { "Puls", "Herzfrequenz" },
            { "Systolisch" }, { "Diastolisch" } },
        { "fr", { "Date" }, { "Poids (kg)" }, { "Poids (lb)" },
            { QStringLiteral("Fréquence cardiaque"), "Pouls" }, { "Systolique" },
            { "Diastolique" } },
        { "es", { "Fecha" }, { "Peso (kg)" }, { "Peso (lb)" },
            { QStringLiteral("Frecuencia cardíaca"), "Pulso" }, { QStringLiteral("Sistólica") },
            { QStringLiteral("Diastólica") } },
        { "it", { "Data" }, { "Peso (kg)" }, { "Peso (lb)" }, { "Frequenza cardiaca", "Battito" },
            { "Sistolica" }, { "Diastolica" } },
        { "pt", { "Data" }, { "Peso (kg)" }, { "Peso (lb)" },
            { QStringLiteral("Frequência cardíaca"), "Pulso" }, { QStringLiteral("Sistólica") },
            { QStringLiteral("Diastólica") } },
        { "nl", { "Datum" }, { "Gewicht (kg)" }, { "Gewicht (lb)" }, { "Hartslag" },
            { "Systolisch" }, { "Diastolisch" } },
    };
    return table;
}

std::optional<WithingsHeadings::Language> WithingsHeadings::weightFile(const QStringList& headings)
{
    for (const Language& language : languages())
        if (names(headings, language.date)
            && (names(headings, language.kilograms) || names(headings, language.pounds)))
            return language;
    return std::nullopt;
}

std::optional<WithingsHeadings::Language> WithingsHeadings::bloodPressureFile(
    const QStringList& headings)
{
    for (const Language& language : languages())
        if (names(headings, language.date) && names(headings, language.heartRate)
            && names(headings, language.systolic) && names(headings, language.diastolic))
            return language;
    return std::nullopt;
}
