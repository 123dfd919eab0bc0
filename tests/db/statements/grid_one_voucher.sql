select      ttt.serial_qel,     ttt.serial_bun,    ttt.Date_day,    ttt.total,                      
ac_text1 = max(rtrim(ttt.ac_text1)), ac_text2 = max(rtrim(ttt.ac_text2)),                           
serial_ttt = (rtrim(ttt.serial_qel) + rtrim(ttt.serial_bun)),                                       
ac_qelcode1 = max(Rtrim(ttt.ac_qelcode1)), ac_QelName1 = max(Rtrim(ttt.ac_QelName1)),               
Cr_Amt1 = sum(ttt.cr_amt1),                                                                         
ac_qelcode2 = max(Rtrim(ttt.ac_qelcode2)), ac_QelName2 = max(Rtrim(ttt.ac_QelName2)),               
Dr_Amt2 = sum(ttt.dr_amt2)                                                                          
from      (                                                                                         
  	select       t.Serial,    t.serial_qel,    t.serial_bun,    t.Date_day,                          
ac_text1 = (t.ac_text),       ac_text2 = '',                                                        
total = (rtrim(tt.kubun_name) + '/' + rtrim(tt.kubun_jangso)),                                      
ac_Qelcode1  =  t.ac_Qelcode,   ac_QelName1  =  t.ac_QelName,                                       
CR_Amt1      =  t.Cr_Amt,       Dr_Amt1      =  t.Dr_Amt,                                           
ac_qelcode2  =  '',           ac_QelName2  =  '',                                                   
Cr_Amt2      =  0,              Dr_Amt2      =  0                                                   
  	from         account_qel_AA t, kubun_table tt                                                    
  	where      t.Date_Day + t.Kubun_Bon like (:tbDKubun) and rtrim(t.kubun_qel) = '3'                
and t.Serial_CrDr = '01'  and rtrim(t.kubun_bon) = rtrim(tt.kubun_code)                             
and rtrim(t.serial_qel) like (:tbqel ) and t.Form_Kubun = 'A003'                                    
  	union  all                                                                                       
  	select       t.Serial,    t.serial_qel,    t.serial_bun,    t.Date_day,                          
ac_text1 = '',       ac_text2 = (t.ac_text),                                                        
total = (rtrim(tt.kubun_name) + '/' + rtrim(tt.kubun_jangso)),                                      
ac_Qelcode1  =  '',           ac_QelName1  =  '',                                                   
CR_Amt1      =  0,              Dr_Amt1      =  0,                                                  
ac_qelcode2  =  t.ac_Qelcode,   ac_QelName2  =  t.ac_QelName,                                       
Cr_Amt2      =  t.Cr_Amt,       Dr_Amt2      =  t.Dr_Amt                                            
  	from         account_qel_AA t, kubun_table tt                                                    
  	where      t.Date_Day + t.Kubun_Bon like (:tbDKubun) and rtrim(t.kubun_qel) = '3'                
and t.Serial_CrDr = '02'  and rtrim(t.kubun_bon) = rtrim(tt.kubun_code)                             
and rtrim(t.serial_qel) like (:tbqel) and t.Form_Kubun = 'A003'                                     
)  ttt                                                                                              
group    by  ttt.serial_qel,    ttt.serial_bun,    ttt.date_day,    ttt.total                       
