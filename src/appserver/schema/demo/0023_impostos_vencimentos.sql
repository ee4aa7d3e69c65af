-- Demo tax rules and payment terms. The company buys in São Paulo (head office 0001, Campinas 0002) from
-- São Paulo, Paraná and Rio de Janeiro, and from Bahia (Cacau Sul da Bahia, added here, which has no payment
-- form): 18% inside São Paulo, 12% from every other state (7% is only for goods leaving the South and
-- Southeast for the other regions), 4% for imported goods; the poverty fund on beer; IPI on packaging, drinks and beer; ICMS-ST on soft drinks, water and beer;
-- a reduced base on flours and pasta; PIS 1.65% and COFINS 7.6% non-cumulative; IRRF, CSRF and ISS withheld
-- on services.

UPDATE IMPOSTO SET IDTRATIMPO = 'C';
INSERT INTO IMPOSTO (CDIMPOSTO, SGIMPOSTO, NMIMPOSTO, IDDESCRFONTE, IDTRATIMPO) VALUES ('07', 'IRRF', 'Imposto de Renda Retido na Fonte', 'R', 'R');
INSERT INTO IMPOSTO (CDIMPOSTO, SGIMPOSTO, NMIMPOSTO, IDDESCRFONTE, IDTRATIMPO) VALUES ('08', 'CSRF', 'PIS, COFINS e CSLL retidos na fonte', 'R', 'R');
INSERT INTO IMPOSTO (CDIMPOSTO, SGIMPOSTO, NMIMPOSTO, IDUTUFDEST, IDTRATIMPO) VALUES ('09', 'FCP', 'Fundo de Combate à Pobreza', 'S', 'C');
INSERT INTO IMPOSTO (CDIMPOSTO, SGIMPOSTO, NMIMPOSTO, IDUTMUNIORIG, IDDESCRFONTE, IDTRATIMPO) VALUES ('10', 'ISSRET', 'ISS retido na fonte', 'S', 'R', 'R');

INSERT INTO ICMSESTADO (SGESTADO, VRALIQINTERNA, VRALIQFCP, IDSULSUDESTE) VALUES
('AC', 19, 0, 'N'), ('AL', 19, 1, 'N'), ('AM', 20, 0, 'N'), ('AP', 18, 0, 'N'), ('BA', 20.5, 0, 'N'),
('CE', 20, 0, 'N'), ('DF', 20, 0, 'N'), ('ES', 17, 0, 'N'), ('GO', 19, 0, 'N'), ('MA', 23, 0, 'N'),
('MG', 18, 0, 'S'), ('MS', 17, 0, 'N'), ('MT', 17, 0, 'N'), ('PA', 19, 0, 'N'), ('PB', 20, 0, 'N'),
('PE', 20.5, 0, 'N'), ('PI', 22.5, 0, 'N'), ('PR', 19.5, 0, 'S'), ('RJ', 20, 2, 'S'), ('RN', 20, 0, 'N'),
('RO', 19.5, 0, 'N'), ('RR', 20, 0, 'N'), ('RS', 17, 0, 'S'), ('SC', 17, 0, 'S'), ('SE', 19, 0, 'N'),
('SP', 18, 0, 'S'), ('TO', 20, 0, 'N');

-- Purchases for use and consumption get their own operation type.
INSERT INTO TIPOOPERAC (CDTIPOOPER, NMTIPOOPER, IDENTRSAIDOP, IDUTILOPER, IDORIGDESTOP, IDGERAVENC, IDUTILVENC, IDUTILEMISNF, IDEXIGEAF,
    IDOPERDEVONF, IDATUESTTPOP, IDTIPOOPERELE)
VALUES ('23', 'Compra para uso e consumo', 'E', 'S', 'F', 'S', 'S', 'N', 'N', 'N', 'N', 'S');

INSERT INTO TPOPERFISC (CDTIPOOPER, CDCFOPBASE, CDCFOPBASEST, CDSUFXCFOP, IDUSOCONSUMO, IDSERVICO) VALUES
('01', '102', '403', '001', 'N', 'N'),
('03', '102', '403', '002', 'N', 'N'),
('05', '949', NULL, '001', 'N', 'N'),
('07', '202', '411', '001', 'N', 'N'),
('13', '902', NULL, '001', 'N', 'N'),
('15', '910', NULL, '001', 'N', 'N'),
('16', '102', '403', '001', 'N', 'N'),
('17', '102', NULL, '001', 'N', 'N'),
('19', '933', NULL, '001', 'N', 'S'),
('20', '118', NULL, '001', 'N', 'N'),
('23', '556', '407', '001', 'S', 'N');

-- The head office's and Campinas' own ICMS groups, the federal group, and the taxes each branch bears.
INSERT INTO GRUPOIMPFILI (CDFILIAL, CDIMPOSTO, CDGRUPOFISC) VALUES ('0001', '06', 'SP1');
INSERT INTO GRUPOIMPFILI (CDFILIAL, CDIMPOSTO, CDGRUPOFISC) VALUES ('0001', '07', 'FED');
INSERT INTO GRUPOIMPFILI (CDFILIAL, CDIMPOSTO, CDGRUPOFISC) VALUES ('0001', '08', 'FED');
INSERT INTO GRUPOIMPFILI (CDFILIAL, CDIMPOSTO, CDGRUPOFISC) VALUES ('0001', '09', 'SP1');
INSERT INTO GRUPOIMPFILI (CDFILIAL, CDIMPOSTO, CDGRUPOFISC) VALUES ('0001', '10', 'SP1');
INSERT INTO GRUPOIMPFILI (CDFILIAL, CDIMPOSTO, CDGRUPOFISC) VALUES ('0002', '05', 'SP2');
INSERT INTO GRUPOIMPFILI (CDFILIAL, CDIMPOSTO, CDGRUPOFISC) VALUES ('0002', '09', 'SP2');

-- Campinas' bonuses from suppliers follow the head office's rules.
INSERT INTO GRUPOFISCOPER (CDFILIAL, IDENTRSAIDOP, CDTIPOOPER, IDORIGDESTNF, CDGRUPOFISC) VALUES ('0002', 'E', '15', '*', 'SP1');
INSERT INTO GRUPOFISCOPER (CDFILIAL, IDENTRSAIDOP, CDTIPOOPER, IDORIGDESTNF, CDGRUPOFISC) VALUES ('0001', 'E', '19', 'F', 'SP1');

INSERT INTO REGRAIMPOSTO (CDGRUPOFISC, CDIMPOSTO, CDNCM, CDARVPROD, IDABRANGENCIA, IDAPLICACAO, VRALIQIMPO, VRPERREDBC, VRMVA, CDSITUTRIB, CDFISCIMPO) VALUES
('SP1', '01', '', '', 'T', 'M', NULL, 0, 0, NULL, '1'),
('SP1', '01', '', '1.02', 'I', 'M', NULL, 61.1111, 0, '20', '1'),
('SP1', '02', '4819', '', 'T', 'M', 9.75, 0, 0, '00', '1'),
('SP1', '02', '3919', '', 'T', 'M', 13, 0, 0, '00', '1'),
('SP1', '02', '2202', '', 'T', 'M', 3.25, 0, 0, '00', '1'),
('SP1', '02', '2203', '', 'T', 'M', 3.9, 0, 0, '00', '1'),
('SP1', '05', '2202', '', 'T', 'M', NULL, 0, 40, '10', '3'),
('SP1', '05', '2201', '', 'T', 'M', NULL, 0, 40, '10', '3'),
('SP1', '05', '2203', '', 'T', 'M', NULL, 0, 70, '10', '3'),
('SP1', '09', '2203', '', 'I', 'M', 2, 0, 0, NULL, '1'),
('SP1', '06', '', '', 'T', 'S', 0, 0, 0, NULL, '2'),
('SP1', '10', '', '9.02', 'T', 'S', 5, 0, 0, NULL, '1'),
('SP2', '01', '', '', 'T', 'M', NULL, 0, 0, NULL, '1'),
('SP2', '01', '', '1.02', 'I', 'M', NULL, 61.1111, 0, '20', '1'),
('SP2', '02', '4819', '', 'T', 'M', 9.75, 0, 0, '00', '1'),
('SP2', '02', '2203', '', 'T', 'M', 3.9, 0, 0, '00', '1'),
('SP2', '05', '2202', '', 'T', 'M', NULL, 0, 40, '10', '3'),
('SP2', '05', '2203', '', 'T', 'M', NULL, 0, 70, '10', '3'),
('SP2', '09', '2203', '', 'I', 'M', 2, 0, 0, NULL, '1'),
('PR1', '01', '', '', 'T', 'M', NULL, 0, 0, NULL, '1'),
('PR1', '06', '', '', 'T', 'S', 0, 0, 0, NULL, '2'),
('FED', '03', '', '', 'T', 'T', 1.65, 0, 0, '50', '1'),
('FED', '04', '', '', 'T', 'T', 7.6, 0, 0, '50', '1'),
('FED', '07', '', '', 'T', 'S', 1.5, 0, 0, NULL, '1'),
('FED', '08', '', '', 'T', 'S', 4.65, 0, 0, NULL, '1');

-- Cacau Sul da Bahia (Ilhéus) sells to the head office without a payment form agreed.
INSERT INTO FORNECEDOR (CDFORNECED, IDTPIJURFORN, NRINSJURFORN, NMRAZSOCFORN, NMFANTFORN, IDSITUCADA, IDTPFORPGTFO, IDBLOQCMPSAFFOR, NRINSESTFORN)
VALUES ('J72815493000129', 'J', '72815493000129', 'Cacau Sul da Bahia Indústria de Chocolates Ltda', 'Cacau Sul', 'A', NULL, 'N', '081234567');
INSERT INTO ENDEFORN (CDFORNECED, IDTPENDEFORN, DSENDEFORN, NMBAIRFORN, NRCEPFORN, NRTELEFORN, CDPAIS, SGESTADO, CDMUNICIPIO)
VALUES ('J72815493000129', 'P', 'Rodovia Ilhéus-Itabuna, km 8', 'Salobrinho', '45662000', '7332311000', '0055', 'BA', '13606');

INSERT INTO CONDPAGTO (CDCONDPAGTO, DSCONDPAGTO, DSPRAZOS) VALUES ('001', 'À vista', '0');
INSERT INTO CONDPAGTO (CDCONDPAGTO, DSCONDPAGTO, DSPRAZOS) VALUES ('002', '30 dias', '30');
INSERT INTO CONDPAGTO (CDCONDPAGTO, DSCONDPAGTO, DSPRAZOS) VALUES ('003', '30/60 dias', '30/60');
INSERT INTO CONDPAGTO (CDCONDPAGTO, DSCONDPAGTO, DSPRAZOS) VALUES ('004', '30/60/90 dias', '30/60/90');
INSERT INTO CONDPAGTO (CDCONDPAGTO, DSCONDPAGTO, DSPRAZOS) VALUES ('005', '28/56/84 dias', '28/56/84');

UPDATE FORNECEDOR SET CDCONDPAGTO = '005' WHERE CDFORNECED = 'J11222333000181';
UPDATE FORNECEDOR SET CDCONDPAGTO = '003' WHERE CDFORNECED = 'J45678901000175';
UPDATE FORNECEDOR SET CDCONDPAGTO = '002' WHERE CDFORNECED = 'J56789012000100';
UPDATE FORNECEDOR SET CDCONDPAGTO = '004' WHERE CDFORNECED = 'J12ABC34501DE35';
UPDATE FORNECEDOR SET CDCONDPAGTO = '004' WHERE CDFORNECED = 'J67890123000116';
UPDATE FORNECEDOR SET CDCONDPAGTO = '001' WHERE CDFORNECED = 'F12345678909';
UPDATE FORNECEDOR SET CDCONDPAGTO = '003' WHERE CDFORNECED IN ('J13579246000101', 'J24681357000140', 'J7Q4RT2X5000132',
    'J36925814000184', 'J36925814000265', 'J48151623000191', 'J92716348000106', 'J45128763000150');

-- The authorization of the pre-posting 0001/0000000006 was agreed at 30/60 days, not at Serra Azul's usual
-- 28/56/84; a second one of Serra Azul has no payment form yet.
INSERT INTO AUTORIZFORN (CDFILDEST, CDFILLANC, NRAUTOFORN, CDFORNECED, DTAUTOFORN, IDTPFORPGTAF, CDCONDPAGTO)
VALUES ('0001', '0001', '0000000412', 'J11222333000181', '2026-11-25', 'B', '003');
INSERT INTO AUTORIZFORN (CDFILDEST, CDFILLANC, NRAUTOFORN, CDFORNECED, DTAUTOFORN, IDTPFORPGTAF, CDCONDPAGTO)
VALUES ('0001', '0001', '0000000415', 'J11222333000181', '2026-12-02', NULL, NULL);

INSERT INTO TIPOCTPAGAR (CDTPCTPAGAR, DSTPCTPAGAR, CDCLASSFINA) VALUES ('000001', 'Fornecedores de mercadorias', '000210');
INSERT INTO TIPOCTPAGAR (CDTPCTPAGAR, DSTPCTPAGAR, CDCLASSFINA) VALUES ('000002', 'Prestadores de serviços', '000220');
INSERT INTO TIPOCTPAGAR (CDTPCTPAGAR, DSTPCTPAGAR, CDCLASSFINA) VALUES ('000003', 'Fretes e carretos', '000230');
INSERT INTO TIPOCTPAGAR (CDTPCTPAGAR, DSTPCTPAGAR, CDCLASSFINA) VALUES ('000004', 'Material de uso e consumo', '000240');
INSERT INTO TIPOCTPAGAR (CDTPCTPAGAR, DSTPCTPAGAR, CDCLASSFINA) VALUES ('000005', 'Impostos retidos a recolher', '000310');

INSERT INTO TPOPERCFOP (IDENTRSAIDOP, CDTIPOOPER, CDFISCOPER, IDCOMPOEVENC) VALUES
('E', '01', '1102', 'S'), ('E', '01', '2102', 'S'), ('E', '01', '3102', 'S'), ('E', '01', '1403', 'S'), ('E', '01', '2403', 'S'),
('E', '23', '1556', 'S'), ('E', '23', '2556', 'S'), ('E', '23', '1407', 'S'), ('E', '23', '2407', 'S'),
('E', '15', '1910', 'N'), ('E', '15', '2910', 'N'),
('E', '19', '1933', 'S'), ('E', '19', '2933', 'S');
