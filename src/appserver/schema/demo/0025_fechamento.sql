-- The head office keeps its analysis version 2026.1 in force from January; Campinas's 2025.2 ended in December
-- 2025, so a closing there is told no version is in force. Curitiba has none.
INSERT INTO VERSAOANALISE (CDFILIAL, NRVERSAO, DTINIVIGENCIA, DTFIMVIGENCIA) VALUES ('0001', '2026.1', '2026-01-01', NULL);
INSERT INTO VERSAOANALISE (CDFILIAL, NRVERSAO, DTINIVIGENCIA, DTFIMVIGENCIA) VALUES ('0002', '2025.2', '2025-07-01', '2025-12-31');
